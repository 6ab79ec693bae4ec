#!/usr/bin/env bash
# Builds the game with the README's release options for another install layout, the
# program in bin/ and its data in share/vantrel as a distribution that keeps games with
# other programs sets them, and installs it into OUT/usr for the package test to play.
# Only the folders count, so it builds without the optimiser, and with the main build's
# compiler cache if it has one. It starts afresh, so that nothing is left of another run.
# Usage: other_layout.sh BUILD_DIR OUT
set -eu
build=$(realpath "$1")
out=$(realpath -m "$2")
source=$(realpath "$(dirname "$0")/../..")
launcher=$(sed -n 's/^CMAKE_CXX_COMPILER_LAUNCHER:[A-Z]*=//p' "$build/CMakeCache.txt")
rm -rf "$out"
cmake -S "$source" -B "$out/build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
  -DCMAKE_C_FLAGS_DEBUG=-O0 ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher} \
  -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF -DVANTREL_ASSETGEN=OFF \
  -DCMAKE_INSTALL_BINDIR=bin -DCMAKE_INSTALL_DATADIR=share >/dev/null
cmake --build "$out/build" -j "$(nproc)"
cmake --install "$out/build" --prefix "$out/usr" >/dev/null
