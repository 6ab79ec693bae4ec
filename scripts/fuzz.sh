#!/usr/bin/env bash
# Runs one fuzz target under libFuzzer for a while: scripts/fuzz.sh TARGET [SECONDS]
# TARGET is tile_map, level, sound, progress or run. New inputs go to a scratch folder; the seeds
# stay as they are. The whole game is built instrumented, so the search sees inside our readers.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh tile_map|level|sound|progress|run [seconds]}
seconds=${2:-600}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" -DVANTREL_BENCH=OFF \
  -DVANTREL_ASSETGEN=OFF >/dev/null
cmake --build build-fuzz --target "${target}_fuzz" -j "$(nproc)"
scratch=$(mktemp -d)
findings=$(mktemp -d)
export SDL_AUDIODRIVER=dummy
# The readers report every bad line; only libFuzzer's own report is kept.
build-fuzz/tests/fuzz/"${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 -close_fd_mask=1 \
  -artifact_prefix="$findings/" \
  "$scratch" "tests/fuzz/corpus/$target"
echo "New inputs kept in $scratch, crashing ones in $findings"
