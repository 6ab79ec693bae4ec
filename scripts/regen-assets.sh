#!/bin/sh
# Rebuilds the asset generator and redraws every picture and sound of the game into
# data/Assets, plus the contact sheet docs/contact-sheet.png and the desktop icons in
# packaging/icons.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-assetgen"

mkdir -p "$build"
cat >"$build/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.16)
project(vantrel_assetgen CXX)
enable_testing()
add_subdirectory("$root/tools/assetgen" assetgen)
CMAKE
cmake -S "$build" -B "$build/out" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/out" --target vantrel-assetgen -j
# Start from an empty folder so that a picture the generator dropped disappears too.
rm -rf "$root/data/Assets" "$root/packaging/icons"
mkdir -p "$root/docs"
"$build/out/assetgen/vantrel-assetgen" "$root/data/Assets" "$root/docs/contact-sheet.png"
"$build/out/assetgen/vantrel-assetgen" --icons "$root/packaging/icons"
