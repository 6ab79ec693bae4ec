#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh play
cmake -S . -B build-play -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF \
  -DVANTREL_ASSETGEN=OFF >/dev/null
cmake --build build-play --target vantrel -j "$(nproc)"
exec build-play/vantrel
