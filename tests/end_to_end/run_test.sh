#!/usr/bin/env bash
# Runs kept and watched in the real game under a virtual X server, with real keys and clicks:
# level 1 (in a copy of the data whose level 1 is a walk of some seconds east to the exit) won by
# holding D; the result screen's WATCH plays the run, the player seen moving, and ends back
# on the result screen; then `vantrel --replay` of the kept file plays it the same way and
# goes on to the main menu. A run of another level version, or a damaged one, is refused
# with one line before any window opens.
# Usage: run_test.sh VANTREL WINDOW_PROBE DATA
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
. "$(dirname "$(realpath "$0")")/../support/x11_play.sh"
data=$(realpath "$3")
start_play_test "$@"
mkdir -p "$work/game"
for file in "$data"/*; do ln -s "$file" "$work/game/"; done
rm "$work/game/Level1.txt"
# 20 by 10 cells, the player in the bottom row's west end, the exit at its east end.
{
  printf 'vantrel level 1\nname A long walk\nwidth 20\nheight 10\ntilesize 50\n'
  wall=$(printf '9 %.0s' $(seq 20)) floor=$(printf '0 %.0s' $(seq 18))
  echo "$wall"
  for _ in $(seq 7); do echo "9 ${floor}9"; done
  echo "9 ${floor%0 }5 9"
  echo "$wall"
  echo "player 1,8"
} >"$work/game/Level1.txt"
export VANTREL_DATA_DIR="$work/game"
runs="$work/data/vantrel/runs"

# The watching bar's first plate, PAUSE: squeezed from its picture's size, so that a part of
# its thin edge is lost.
watching() {
  "$probe" match "$wid" "$assets/UI/KeyPlate_idle.png" 32 9 100 30 60 5 >/dev/null ||
    fail "$1: no watching bar"
}

# Two screenshots a second apart differ: something moved.
moving() {
  "$probe" shot "$wid" "$work/a.png"
  sleep 1
  "$probe" shot "$wid" "$work/b.png"
  cmp -s "$work/a.png" "$work/b.png" && fail "$1: nothing moved"
}

"$game" --window >"$work/out1" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  shows "the splash" startScreen.png 3 70 -30 660 660
  press space
  shows "the main menu" main.png 5 0 0 800 600
  sleep 0.6
  click_view 400 343                                     # play
  shows "the level select" level.png 5 0 0 800 600
  sleep 0.6
  click_view 150 150                                     # level 1
  shows "level 1" gui.png 5 0 520 800 80
  sleep 0.5
  # D starts play and walks east to the exit.
  xdotool keydown d
  shows "the result screen" Win.png 20 0 -100 800 800
  xdotool keyup d
  [ -s "$runs/Level1-last.run" ] || fail "no last run kept"
  cmp -s "$runs/Level1-last.run" "$runs/Level1-best.run" || fail "the first win is not the best"
  click_view 650 215                                     # WATCH
  watching "from the result screen"
  moving "watching from the result screen"
  shows "the result screen after watching" Win.png 20 0 -100 800 800
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window appeared"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

"$game" --window --replay "$runs/Level1-best.run" >"$work/out2" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  watching "from the command line"
  moving "watching from the command line"
  shows "the main menu after the replay" main.png 20 0 0 800 600
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window for --replay"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after --replay"

# Refused before any window: the run on another version of the level, and a damaged file.
sed -i 's/^player 1,8$/player 2,8/' "$work/game/Level1.txt"
env -u DISPLAY "$game" --replay "$runs/Level1-best.run" >"$work/out3" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc for a run of another level version"
grep -q "not played: recorded on another version of this level" "$work/out3" ||
  fail "no line for another level version: $(cat "$work/out3")"
head -c 100 "$runs/Level1-best.run" >"$work/cut.run"
env -u DISPLAY "$game" --replay "$work/cut.run" >"$work/out4" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc for a damaged run"
[ "$(cat "$work/out4")" = "$work/cut.run: the run is cut short" ] ||
  fail "damaged run said: $(cat "$work/out4")"

finish_play_test "runs end-to-end" "$work/out1" "$work/out2"
