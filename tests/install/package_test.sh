#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks it the way a
# distribution would: lintian, appstreamcli and desktop-file-validate with no error and no
# warning. Then unpacks it into a scratch root and starts the unpacked game from a folder
# holding a decoy Assets/: it must find its own data, unless VANTREL_DATA_DIR names
# another folder, and its window must have the class the desktop file names.
# Usage: package_test.sh BUILD_DIR
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
build=$(realpath "$1")
export SDL_AUDIODRIVER=dummy
id=org.vantrel.Vantrel

scratch=$(realpath "$(mktemp -d)")
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
game="$root/games/vantrel"
desktop="$root/share/applications/$id.desktop"

# A warning counts as much as an error: an override needs its reason in the override file.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log"; fail "lintian"; }
# The metainfo, and the desktop file it launches. Network checks of the screenshots'
# addresses cannot run here.
appstreamcli validate-tree --no-net "$scratch/root" >"$scratch/appstream.log" 2>&1 ||
  { cat "$scratch/appstream.log"; fail "appstreamcli validate-tree"; }
desktop-file-validate "$desktop" >"$scratch/desktop.log" 2>&1 || true
[ -s "$scratch/desktop.log" ] && { cat "$scratch/desktop.log"; fail "desktop-file-validate"; }

for size in 16 24 32 48 64 128 256 512; do
  [ -e "$root/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no $size px icon"
done
[ -e "$root/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
[ -e "$root/share/games/vantrel/Sandbox.txt" ] && fail "the sandbox's test map is packaged"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-image libsdl2-mixer fonts-dejavu-core; do
  case "$depends" in *"$package"*) ;; *) fail "Depends lacks $package: $depends" ;; esac
done
# A new version is named in the changelog and the metainfo's releases too.
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/share/doc/vantrel/changelog.gz" | head -n 1 | grep -q "^vantrel ($version) " ||
  fail "the changelog does not start with version $version"
grep -q "<release version=\"$version\"" "$root/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release $version"

# While the game runs: it plays the installed data (not the source tree's, which a build
# also knows), and its window has the class a desktop groups it by and launches it under.
check_running_game() {
  local wid class
  [ "$(readlink "/proc/$1/cwd")" = "$root/share/games/vantrel" ] ||
    fail "the installed game plays $(readlink "/proc/$1/cwd"), not its installed data"
  wid=$(timeout 10 xdotool search --sync --pid "$1" 2>/dev/null | head -n 1)
  class=$(xprop -id "$wid" WM_CLASS 2>/dev/null | sed -n 's/.*", "\(.*\)"$/\1/p')
  grep -qx "StartupWMClass=$class" "$desktop" ||
    fail "the window's class \"$class\" is not the desktop file's StartupWMClass"
}

# run NAME [CHECK]: starts the unpacked game in the current folder, runs CHECK with its
# pid once it draws, stops it with SIGTERM, and leaves its output in $scratch/NAME.log and
# its exit code in rc.
run() {
  local log="$scratch/$1.log" pid
  "$game" >"$log" 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    grep -q '^Graphics: OpenGL' "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 1
  [ $# -gt 1 ] && "$2" "$pid"
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
run decoy check_running_game
grep -q 'Could not load\|Cannot find' "$scratch/decoy.log" && fail "the installed game read the decoy Assets/"

# VANTREL_DATA_DIR wins over the installed data, from any folder...
cd "$scratch"
VANTREL_DATA_DIR=home run override
grep -q '^Could not load picture "Assets/' "$scratch/override.log" ||
  fail "VANTREL_DATA_DIR was not read before the installed data"
# ...and a folder without Assets/ ends the game at once with one line, before any window.
VANTREL_DATA_DIR=nowhere timeout 20 "$game" >"$scratch/nowhere.log" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc for a VANTREL_DATA_DIR without Assets/"
[ "$(wc -l <"$scratch/nowhere.log")" = 1 ] && grep -q '^VANTREL_DATA_DIR names "nowhere"' \
  "$scratch/nowhere.log" || fail "not one line for a VANTREL_DATA_DIR without Assets/"

if [ "$failures" -ne 0 ]; then tail -n 5 "$scratch"/*.log; exit 1; fi
echo "package: $(basename "$deb") passes lintian, appstreamcli and desktop-file-validate, installs and starts"
