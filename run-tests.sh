#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure --timeout 300 -j "$jobs")

# Mesa, X and SDL keep a few allocations for the life of the process; our own leaks
# are still reported.
export LSAN_OPTIONS="suppressions=$PWD/tests/leak_suppressions.txt:print_suppressions=0"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON \
  -DVANTREL_BENCH=OFF -DVANTREL_ASSETGEN=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure --timeout 300 -j "$jobs")
echo "All tests passed."
