#!/usr/bin/env bash
# The whole test run: set-up and build, every test (namespace tests need root),
# then a sanitizer build of the core tests and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== tests =="
ctest --test-dir build --output-on-failure -j2 -LE netns
ctest --test-dir build --output-on-failure -L netns

echo "== AddressSanitizer + UndefinedBehaviorSanitizer, fuzzing =="
bash scripts/sanitize.sh
