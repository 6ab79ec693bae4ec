#!/usr/bin/env bash
# Takes the screenshots that software centres show (the metainfo's), all full screen on a
# 1920 x 1080 screen, from the real program under a virtual X server: the level select
# with two levels won, level 1's overview, level 1 in play, the Game Over screen and the
# result of a won level with its photo. The last two are played on a copy of level 1's map
# whose walls lead the player under the first fire rat, with an exit beside that spot.
# Writes docs/store-screenshots/*.png. Needs what the tests need (scripts/install-deps.sh test).
set -euo pipefail
. "$(dirname "$0")/screenshot-setup.sh" 1920x1080 "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$root/docs/store-screenshots"
mkdir -p "$out" "$work/won/vantrel" "$work/trial"
printf 'vantrel progress 1\nwon 1 2\nbest 1 83.4\nbest 2 95.1\n' >"$work/won/vantrel/progress.txt"
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config"
assets="$root/data/Assets"

. "$root/tests/support/x11_play.sh"

# save NAME: saves the window as NAME.png once animations and the cursor's hover settle.
save() {
  sleep 0.5
  "$probe" shot "$wid" "$out/$1.png"
  echo "wrote docs/store-screenshots/$1.png"
}
# until WHAT PICTURE LEFT TOP WIDTH HEIGHT: waits for PICTURE over that part of the view.
until_shown() {
  local what=$1 picture=$2
  shift 2
  "$probe" match "$wid" "$assets/$picture" "$@" 70 10 >/dev/null ||
    { echo "$what never showed"; exit 1; }
}
walk() {
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}
# Starts the game on DATA with the progress in PROGRESS and opens level 1's overview.
open_level_1() {
  VANTREL_DATA_DIR="$1" XDG_DATA_HOME="$2" "$build/vantrel" >"$work/out" 2>&1 &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
  wid=$(window_named Vantrel)
  sleep 0.5
  press space
  until_shown "the main menu" main.png 0 0 800 600
  sleep 0.6
  click_view 400 343
  until_shown "the level select" level.png 0 0 800 600
  sleep 0.6
}

open_level_1 "$root/data" "$work/won"
xdotool mousemove --window "$wid" 1700 80
save level-select
click_view 150 150
until_shown "level 1's overview" gui.png 0 520 800 80
save overview
# A few steps into the level, facing the way it goes.
at=$("$probe" place "$wid" 600 250)
xdotool mousemove --window "$wid" $at
walk d 0.8
save level
"$probe" close "$wid"
wait "$pid"

# The copy: a wall across the left room stops the walk up at the gap to the right room,
# and one in the right room stops the walk right straight under the fire rat, facing away
# from the player; the exit is a step down from there.
awk 'NR == 19 {for (i = 2; i <= 7; i++) $i = 9} NR == 20 {$11 = 9} NR == 21 {$10 = 5} {print}' \
  "$root/data/Level1.txt" >"$work/Level1.txt"
cp -r "$root/data/." "$work/trial/"
cp "$work/Level1.txt" "$work/trial/Level1.txt"
# Play starts with the cursor straight above the player, which it faces: at the rat.
under_the_rat() {
  at=$("$probe" place "$wid" 400 0)
  xdotool mousemove --window "$wid" $at
  press space
  walk w 3
  walk d 5
  xdotool click 1
  sleep 0.5
}
open_level_1 "$work/trial" "$work/fresh"
click_view 150 150
until_shown "the copy's overview" gui.png 0 520 800 80
under_the_rat
walk w 1
until_shown "the Game Over screen" GameOver.png 0 0 800 520
save game-over
press space
until_shown "the copy's overview again" gui.png 0 520 800 80
under_the_rat
walk s 0.5
until_shown "the result screen" Win.png 0 -100 800 800
save result
"$probe" close "$wid"
wait "$pid"
