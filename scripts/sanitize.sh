#!/usr/bin/env bash
# Sanitizer builds with clang, compiled through ccache like setup.sh.
#
#   bash scripts/sanitize.sh           core tests under ASan+UBSan (the kept
#                                      fuzz corpora and crash fixtures replayed
#                                      among them), then every fuzz target for
#                                      FUZZ_SECONDS (default 10) each
#   bash scripts/sanitize.sh --thread  the tests in which threads share the
#                                      engine, under ThreadSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

# Tests run under ThreadSanitizer: where the search worker, the camera-step
# workers or provisioning jobs share an engine with other threads. Namespace
# tests among them run when this script runs as root.
THREAD_TESTS=(
  core_engine_search_test
  core_engine_records_test
  core_exchange_hostile_test
  core_operations_exchange_test
  core_provision_jobs_test
  ui_listcam_test
  ui_camera_step_test
  ui_idpwd_test
  netns_search_test
)

launcher="env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=1;ccache"
configure() {
  local dir=$1
  shift
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" -DCMAKE_C_COMPILER_LAUNCHER="$launcher" \
    -DORVANTA_BENCH=OFF "$@" >/dev/null
}

if [[ ${1:-} == --thread ]]; then
  DIR=build-tsan
  configure "$DIR" -DORVANTA_UI=ON -DORVANTA_FUZZ=OFF -DORVANTA_SANITIZE=thread
  # Only what the chosen tests need (the namespace test runs the simulator).
  known=$(ninja -C "$DIR" -t targets all 2>/dev/null | cut -d: -f1)
  present=()
  for t in "${THREAD_TESTS[@]}"; do
    grep -qx "$t" <<<"$known" && present+=("$t")
  done
  ninja -C "$DIR" orvanta-sim "${present[@]}"
  regex="^($(IFS='|'; echo "${present[*]}"))\$"
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" \
    ctest --test-dir "$DIR" --output-on-failure -j2 -R "$regex"
  echo "sanitize --thread: done"
  exit 0
fi

DIR=build-asan
configure "$DIR" -DORVANTA_UI=OFF -DORVANTA_FUZZ=ON -DORVANTA_SANITIZE=address,undefined
ninja -C "$DIR"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$DIR" --output-on-failure -j2 -LE netns
FUZZ_SECONDS=${FUZZ_SECONDS:-10} FUZZ_BUILD=$DIR bash scripts/fuzz-campaign.sh --no-build
echo "sanitize: done"
