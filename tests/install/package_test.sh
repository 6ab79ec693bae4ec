#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks it the way a
# distribution and a software centre would: lintian with no error, warning or hardening
# tag, appstreamcli and desktop-file-validate, dependencies without a graphics driver, and
# the same package byte for byte when built again. Then unpacks it into a scratch root and
# starts the unpacked game from a folder holding a decoy Assets/: it must find its own
# data, unless VANTREL_DATA_DIR names another folder, and its window must have the class
# the desktop file names. Then it plays the game installed in another layout by
# other_layout.sh.
# Usage: package_test.sh BUILD_DIR OTHER_LAYOUT_DIR
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
build=$(realpath "$1")
other=$(realpath "$2")
source=$(realpath "$(dirname "$0")/../..")
export SDL_AUDIODRIVER=dummy
id=org.vantrel.Vantrel
# The package's file times are the project's own choice here, not the caller's.
unset SOURCE_DATE_EPOCH

scratch=$(realpath "$(mktemp -d)")
# Progress and settings kept away from the user's own.
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# package FOLDER: builds the package into $scratch/FOLDER, or ends the test.
package() {
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/$1" >"$scratch/cpack-$1.log" 2>&1 ||
    { cat "$scratch/cpack-$1.log"; echo "FAIL: cpack"; exit 1; }
}
package out
# Packed again a second later, while the rest is checked, the package must be the same.
(sleep 1 && package again) &
again=$!
deb=$(ls "$scratch"/out/vantrel_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root/usr"
desktop="$root/share/applications/$id.desktop"
metainfo="$root/share/metainfo/$id.metainfo.xml"

# Every file has the commit's time.
if epoch=$(git -C "$source" log -1 --format=%ct 2>/dev/null); then
  times=$(dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -tv --full-time | awk '{print $4, $5}' |
    sort -u)
  [ "$times" = "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" ] ||
    fail "the package's file times are not the commit's: $(echo $times)"
fi

# A warning counts as much as an error: an override needs its reason in the override file.
# Hardening is only an info, so it is looked for by name.
lintian --display-info --fail-on error,warning --tag-display-limit 0 "$deb" \
  >"$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log"; fail "lintian"; }
grep 'hardening-' "$scratch/lintian.log" && fail "lintian finds the program not hardened"

# The metainfo, and the desktop file it launches, as strictly as appstreamcli checks them.
# Only the hint that the id has capitals may stay: it is the reverse domain name the desktop
# file and the icons share. AppStream before 1.0 does not know <developer> yet. Network
# checks of the screenshots' addresses cannot run here.
appstreamcli validate-tree --pedantic --no-net "$scratch/root" >"$scratch/appstream.log" 2>&1
known=cid-contains-uppercase-letter
[ "$(appstreamcli --version | sed -n 's/.*version: \([0-9]*\)\..*/\1/p')" = 0 ] &&
  known="$known|unknown-tag developer$"
grep -E '^ *[EWIP]: ' "$scratch/appstream.log" | grep -vE "$known" &&
  fail "appstreamcli validate-tree --pedantic"
license=$(sed -n 's:.*<project_license>\(.*\)</project_license>.*:\1:p' "$metainfo")
appstreamcli check-license "$license" 2>/dev/null | grep -q 'Free and Open Source: yes' ||
  fail "appstreamcli does not judge the licence \"$license\" free"
summary=$(sed -n 's:.*<summary>\(.*\)</summary>.*:\1:p' "$metainfo")
[ ${#summary} -le 35 ] || fail "the summary has ${#summary} characters, 35 at most: $summary"
# One set of screenshots, all of the full screen at 1920 x 1080; the files behind their
# addresses are kept in docs/store-screenshots.
image='.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">.*/\(.*\)</image>'
shots=$(sed -n "s:$image:\\1x\\2 \\3:p" "$metainfo")
[ "$(echo "$shots" | wc -l)" = "$(ls "$source"/docs/store-screenshots/*.png | wc -l)" ] ||
  fail "the metainfo's screenshots are not those of docs/store-screenshots"
while read -r size name; do
  [ "$size" = 1920x1080 ] || fail "screenshot $name is $size, not 1920x1080"
  file "$source/docs/store-screenshots/$name" | grep -q ' 1920 x 1080,' ||
    fail "docs/store-screenshots/$name is no 1920 x 1080 picture"
done <<<"$shots"
desktop-file-validate "$desktop" >"$scratch/desktop.log" 2>&1 || true
[ -s "$scratch/desktop.log" ] && { cat "$scratch/desktop.log"; fail "desktop-file-validate"; }

for size in 16 24 32 48 64 128 256 512; do
  [ -e "$root/share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no $size px icon"
done
[ -e "$root/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
[ -e "$root/share/games/vantrel/Sandbox.txt" ] && fail "the sandbox's test map is packaged"
# The libraries the program links, and the font; GL through libglvnd, whose packages bring
# a driver, never one driver by name.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-image libsdl2-mixer libglx0 fonts-dejavu-core; do
  case "$depends" in *"$package"*) ;; *) fail "Depends lacks $package: $depends" ;; esac
done
echo "$depends" | grep -qE 'mesa|-dri|nvidia' && fail "Depends names a graphics driver: $depends"
# A new version is named in the changelog and the metainfo's releases too.
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/share/doc/vantrel/changelog.gz" | head -n 1 | grep -q "^vantrel ($version) " ||
  fail "the changelog does not start with version $version"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# While the game runs: it plays the installed data (not the source tree's, which a build
# also knows), and its window has the class a desktop groups it by and launches it under.
check_running_game() {
  local wid class
  [ "$(readlink "/proc/$1/cwd")" = "$data" ] ||
    fail "the installed game plays $(readlink "/proc/$1/cwd"), not its installed data $data"
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
game="$root/games/vantrel" data="$root/share/games/vantrel"
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

# The other layout: everything where its folders say, nothing in the games layout, the
# manual page naming its data folder, no sandbox built, and the game finding its data from
# the home folder.
game="$other/usr/bin/vantrel" data="$other/usr/share/vantrel"
[ -e "$other/usr/games" ] || [ -e "$other/usr/share/games" ] &&
  fail "the other layout installed into the games layout"
zcat "$other/usr/share/man/man6/vantrel.6.gz" | grep -qx '\.I /usr/share/vantrel/' ||
  fail "the other layout's manual page does not name /usr/share/vantrel/"
[ -e "$other/build/tools/sandbox/vantrel-sandbox" ] && fail "a release build compiles the sandbox"
cd "$scratch/home"
run other-layout check_running_game

wait "$again" && cmp "$deb" "$scratch"/again/vantrel_*.deb ||
  fail "two packages of one build differ"

if [ "$failures" -ne 0 ]; then tail -n 5 "$scratch"/*.log; exit 1; fi
echo "package: $(basename "$deb") passes lintian, appstreamcli and desktop-file-validate," \
  "builds the same twice, installs and starts, and so does the other layout"
