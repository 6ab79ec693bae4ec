#!/usr/bin/env bash
# Takes the README's screenshots from the real program under a virtual X server of
# 800 x 600, so that full screen is the game's own view pixel for pixel: the main menu,
# the level select (with two levels won, to show their badges), level 1's overview and
# level 1 in play, its exit arrow pointing up to the exit; then level 6's run watched at 4x,
# and level 1 with the ghost of its best run walking ahead (the level tests' recorded wins).
# Writes docs/screenshots/*.png. Needs what the tests need (scripts/install-deps.sh test).
set -euo pipefail
. "$(dirname "$0")/screenshot-setup.sh" 800x600 "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$root/docs/screenshots"
mkdir -p "$out" "$work/data/vantrel"
printf 'vantrel progress 1\nwon 1 2\n' >"$work/data/vantrel/progress.txt"
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"

. "$root/tests/support/x11_play.sh"

# Waits until the window shows `picture` over the view rectangle, then saves it as `name`.
shoot() {
  local name=$1 picture=$2
  shift 2
  "$probe" match "$wid" "$root/data/Assets/$picture" "$@" 80 10 >/dev/null ||
    { echo "$name: $picture never showed"; return 1; }
  # Let animations and the cursor's hover settle.
  sleep 0.5
  "$probe" shot "$wid" "$out/$name.png"
  echo "wrote docs/screenshots/$name.png"
}

VANTREL_DATA_DIR="$root/data" "$build/vantrel" >"$work/out" 2>&1 &
pid=$!
# Under set -e a failing kill (the game already gone) would end the trap before rm.
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
wid=$(window_named Vantrel)
sleep 0.5
press space
xdotool mousemove --window "$wid" 700 80
shoot main-menu main.png 0 0 800 600
click_at 400 360
xdotool mousemove --window "$wid" 700 80
shoot level-select level.png 0 0 800 600
click_at 150 150
"$probe" match "$wid" "$root/data/Assets/gui.png" 0 520 800 80 80 10 >/dev/null
sleep 0.5
"$probe" shot "$wid" "$out/overview.png"
echo "wrote docs/screenshots/overview.png"
# A few steps into the level, facing the way it goes.
xdotool mousemove --window "$wid" 600 250
xdotool keydown d; sleep 0.8; xdotool keyup d
shoot level gui.png 0 520 800 80
"$probe" close "$wid"
wait "$pid"

runs="$root/tests/fuzz/corpus/run"
"$build/vantrel" --replay "$runs/level6-100.run" >"$work/out" 2>&1 &
pid=$!
wid=$(window_named Vantrel)
press 4
sleep 9
"$probe" shot "$wid" "$out/watching.png"
echo "wrote docs/screenshots/watching.png"
"$probe" close "$wid"
wait "$pid"

mkdir -p "$work/data/vantrel/runs"
cp "$runs/level1-100.run" "$work/data/vantrel/runs/Level1-best.run"
VANTREL_DATA_DIR="$root/data" "$build/vantrel" >"$work/out" 2>&1 &
pid=$!
wid=$(window_named Vantrel)
sleep 0.5
press space
sleep 0.6
click_at 400 360
sleep 0.6
click_at 150 150
"$probe" match "$wid" "$root/data/Assets/gui.png" 0 520 800 80 80 10 >/dev/null
# Play starts a second and a half after the ghost's: it is two cells ahead.
press space
xdotool mousemove --window "$wid" 600 420
sleep 1.5
xdotool keydown d; sleep 1.2; xdotool keyup d
"$probe" shot "$wid" "$out/ghost.png"
echo "wrote docs/screenshots/ghost.png"
"$probe" close "$wid"
wait "$pid"
