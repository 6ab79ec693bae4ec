#!/usr/bin/env bash
# Installs the Debian packages that are missing for playing (`play`) or for building
# and running every test (`test`). Uses sudo when not run as root.
set -euo pipefail

play_packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev
  libsdl2-mixer-dev libsdl2-ttf-dev libfontconfig-dev libglew-dev libgl1-mesa-dev libgl1-mesa-dri libx11-dev
  fonts-dejavu-core)
# The package test checks what it builds with lintian, appstreamcli and
# desktop-file-validate, and reads the game window's class with xprop.
test_packages=(xvfb xauth xdotool time libgtest-dev libbenchmark-dev libcairo2-dev clang
  libclang-rt-dev file lintian appstream desktop-file-utils x11-utils)

case "${1:-play}" in
  play) wanted=("${play_packages[@]}") ;;
  test) wanted=("${play_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
