#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into a scratch root
# and starts the unpacked game from a folder holding a decoy Assets/: it must find its own
# data, unless VANTREL_DATA_DIR names another folder.
# Usage: package_test.sh BUILD_DIR
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
build=$(realpath "$1")
export SDL_AUDIODRIVER=dummy

scratch=$(mktemp -d)
# Progress and settings kept away from the user's own.
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"; echo "FAIL: cpack"; exit 1
fi
deb=$(ls "$scratch"/out/vantrel_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root/usr"
for file in bin/vantrel share/applications/vantrel.desktop \
  share/icons/hicolor/64x64/apps/vantrel.png share/vantrel/Assets/icon.png; do
  [ -e "$root/$file" ] || fail "the package has no /usr/$file"
done
[ -e "$root/share/vantrel/Sandbox.txt" ] && fail "the sandbox's test map is packaged"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-image libsdl2-mixer fonts-dejavu-core; do
  case "$depends" in *"$package"*) ;; *) fail "Depends lacks $package: $depends" ;; esac
done

# run NAME: starts the unpacked game in the current folder, stops it with SIGTERM once it
# draws, and leaves its output in $scratch/NAME.log and its exit code in rc.
run() {
  local log="$scratch/$1.log" pid
  "$root/bin/vantrel" >"$log" 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    grep -q '^Graphics: OpenGL' "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 1
  kill -TERM "$pid" 2>/dev/null
  wait "$pid"
  rc=$?
  grep -q '^Graphics: OpenGL' "$log" || fail "$1: the installed game did not start"
  [ "$rc" = 0 ] || fail "$1: exit code $rc after SIGTERM"
}

# Started from a folder that happens to hold an Assets/ folder (a desktop launch starts in
# the home folder), the installed game still plays its own data.
mkdir -p "$scratch/home/Assets"
cd "$scratch/home"
run decoy
grep -q 'Could not load\|Cannot find' "$scratch/decoy.log" && fail "the installed game read the decoy Assets/"

# VANTREL_DATA_DIR wins over the installed data, from any folder...
cd "$scratch"
VANTREL_DATA_DIR=home run override
grep -q '^Could not load picture "Assets/' "$scratch/override.log" ||
  fail "VANTREL_DATA_DIR was not read before the installed data"
# ...and a folder without Assets/ ends the game at once with one line, before any window.
VANTREL_DATA_DIR=nowhere timeout 20 "$root/bin/vantrel" >"$scratch/nowhere.log" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc for a VANTREL_DATA_DIR without Assets/"
[ "$(wc -l <"$scratch/nowhere.log")" = 1 ] && grep -q '^VANTREL_DATA_DIR names "nowhere"' \
  "$scratch/nowhere.log" || fail "not one line for a VANTREL_DATA_DIR without Assets/"

if [ "$failures" -ne 0 ]; then tail -n 5 "$scratch"/*.log; exit 1; fi
echo "package: $(basename "$deb") installs and starts"
