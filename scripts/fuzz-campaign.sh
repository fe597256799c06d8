#!/usr/bin/env bash
# Builds the fuzz targets (clang, -O2, ASan+UBSan) and runs each for
# FUZZ_SECONDS (default 60) over its kept corpus in tests/fuzz/corpus/<name>,
# printing one line per target:
#
#   fuzz_<name> execs <N> seconds <S> findings <F>
#
# A finding is an input that crashed, leaked, hung or ran out of memory; the
# run goes on after one until its time is up. Exit status 1 when any target
# had a finding.
#
#   --keep      merge what the run found into the kept corpus (minimised: the
#               smallest set of inputs that covers the same code) and keep
#               every finding there as a crash fixture (crash-*), which the
#               fuzz replay tests then run on every sanitizer build
#   --no-build  use the build in FUZZ_BUILD (default build-asan) as it is
#   FUZZ_TARGETS="fuzz_a fuzz_b" runs only those targets
set -uo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
FUZZ_BUILD=${FUZZ_BUILD:-build-asan}
keep=0
build=1
for arg in "$@"; do
  case $arg in
    --keep) keep=1 ;;
    --no-build) build=0 ;;
    *) echo "usage: fuzz-campaign.sh [--keep] [--no-build]" >&2; exit 2 ;;
  esac
done

if ((build)); then
  launcher="env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=1;ccache"
  CC=clang CXX=clang++ cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" -DCMAKE_C_COMPILER_LAUNCHER="$launcher" \
    -DORVANTA_UI=OFF -DORVANTA_BENCH=OFF -DORVANTA_FUZZ=ON -DORVANTA_SANITIZE=address,undefined >/dev/null \
    || exit 1
  targets=$(cd tests/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
  # shellcheck disable=SC2086
  out=$(ninja -C "$FUZZ_BUILD" $targets) || { echo "$out" | tail -n 30; exit 1; }
fi

now_ms() { echo $(($(date +%s%N) / 1000000)); }

shopt -s nullglob
any_findings=0
for fuzzer in "$FUZZ_BUILD"/bin/fuzz_*; do
  name=$(basename "$fuzzer")
  if [[ -n ${FUZZ_TARGETS:-} && " $FUZZ_TARGETS " != *" $name "* ]]; then
    continue
  fi
  corpus=tests/fuzz/corpus/$name
  mkdir -p "$corpus"
  work=$(mktemp -d)
  # Findings stay in the build folder for a look afterwards.
  found=$FUZZ_BUILD/findings/$name
  rm -rf "$found"
  new=$work/new
  mkdir -p "$found" "$new"
  execs=0
  start=$(now_ms)
  deadline=$((start + FUZZ_SECONDS * 1000))
  # The kept corpus is read only; new inputs and findings go to scratch
  # folders. After a finding the run starts again for the time left.
  while :; do
    left=$(((deadline - $(now_ms)) / 1000))
    ((left >= 1)) || break
    before=$(ls "$found" | wc -l)
    ASAN_OPTIONS=detect_leaks=1 "$fuzzer" -max_total_time="$left" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$found/" "$new" "$corpus" >"$work/log" 2>&1
    n=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | tail -1 | grep -o '[0-9]*$')
    execs=$((execs + ${n:-0}))
    # A run that ended without its final statistics (a crash) still did work;
    # the last progress line tells how much.
    if [[ -z $n ]]; then
      p=$(grep -o '^#[0-9]*' "$work/log" | tail -1 | tr -d '#')
      execs=$((execs + ${p:-0}))
    fi
    (($(ls "$found" | wc -l) > before)) || break
  done
  seconds=$((($(now_ms) - start + 500) / 1000))
  findings=$(ls "$found" | wc -l)
  echo "$name execs $execs seconds $seconds findings $findings"
  if ((findings)); then
    any_findings=1
    for f in "$found"/*; do
      echo "  finding: $f" >&2
    done
  fi
  if ((keep)); then
    for f in "$found"/*; do
      cp "$f" "$corpus/crash-$(sha1sum "$f" | cut -c1-16)"
    done
    rm -rf "$found"
    # Minimise: the smallest set of kept and new inputs that covers what all
    # of them cover. Crash fixtures stay as they are, outside the merge.
    merged=$(mktemp -d)
    mkdir -p "$work/fixtures" "$work/old"
    for f in "$corpus"/*; do
      case $(basename "$f") in
        crash-*) mv "$f" "$work/fixtures/" ;;
        *) mv "$f" "$work/old/" ;;
      esac
    done
    if "$fuzzer" -merge=1 -timeout=10 "$merged" "$work/old" "$new" >"$work/merge.log" 2>&1; then
      cp "$merged"/* "$corpus/" 2>/dev/null
    else
      echo "  merge failed; the corpus is kept as it was" >&2
      cp "$work/old"/* "$corpus/" 2>/dev/null
    fi
    cp "$work/fixtures"/* "$corpus/" 2>/dev/null
    rm -rf "$merged"
  fi
  rm -rf "$work"
done
exit $any_findings
