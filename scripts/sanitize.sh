#!/usr/bin/env bash
# Core tests under ASan+UBSan (clang), then each fuzz target for a bounded time
# over its kept corpus. FUZZ_SECONDS sets the time per target.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${FUZZ_SECONDS:-45}
DIR=build-asan

CC=clang CXX=clang++ cmake -S . -B "$DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DORVANTA_UI=OFF -DORVANTA_BENCH=OFF -DORVANTA_FUZZ=ON \
  -DORVANTA_SANITIZE=address,undefined >/dev/null
ninja -C "$DIR"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$DIR" --output-on-failure -j2 -LE netns

shopt -s nullglob
for fuzzer in "$DIR"/bin/fuzz_*; do
  name=$(basename "$fuzzer")
  corpus=tests/fuzz/corpus/$name
  mkdir -p "$corpus"
  work=$(mktemp -d)
  echo "fuzz: $name for ${FUZZ_SECONDS}s"
  # New inputs go to a scratch folder; the kept corpus (and crash fixtures)
  # are read only.
  "$fuzzer" -max_total_time="$FUZZ_SECONDS" -print_final_stats=0 \
    -artifact_prefix="$work/" "$work" "$corpus" 2>&1 | tail -n 2
  rm -rf "$work"
done
echo "sanitize: done"
