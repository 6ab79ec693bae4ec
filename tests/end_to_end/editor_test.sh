#!/usr/bin/env bash
# A level made in the real game with the keyboard alone, quick taps from outside and no
# mouse: from the main menu to YOUR LEVELS and NEW; in the editor the player's start, an
# exit, a wall and a tire with a route of two waypoints; SAVE AS under a typed name; back in
# YOUR LEVELS the level is played and its exit reached; then EDIT, undo the last waypoint
# and save again. The level file is checked at each save.
# Usage: editor_test.sh VANTREL WINDOW_PROBE [SHOTS_DIR]
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
. "$(dirname "$(realpath "$0")")/../support/x11_play.sh"
start_play_test "$1" "$2"
shots=${3:-}
file="$XDG_DATA_HOME/vantrel/levels/ridge.txt"

keep() { [ -z "$shots" ] || "$probe" shot "$wid" "$shots/$1.png"; }
presses() {
  local key=$1 times=$2
  for _ in $(seq "$times"); do press "$key"; done
}
editor() { shows "$1" UI/Button_idle_ED_LEAVE.png 10 688 0 96 36; }
your_levels() { shows "$1" UI/Button_idle_BACK.png 10 25 505 150 80; }
# From a row of YOUR LEVELS down to the buttons, then right to PLAY, the last.
to_play() {
  presses Down 6
  press Right
}
has() { grep -q -x -F "$1" "$file" || fail "$2: no line \"$1\" in $(cat "$file" 2>&1)"; }

xdotool mousemove 0 0
"$game" --window >"$work/out" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  shows "the splash" startScreen.png 5 70 -30 660 660
  press Return
  shows "the main menu" main.png 5 0 0 800 600
  sleep 0.6
  press Return                                   # PLAY
  shows "the level select" level.png 5 0 0 800 600
  sleep 0.6
  presses Down 4                                 # LEVEL 1 to YOUR LEVELS
  press Return
  your_levels "YOUR LEVELS"
  sleep 0.6
  to_play
  presses Left 2                                 # PLAY to NEW
  press Return
  editor "the editor on a new level"
  sleep 0.6
  # The cursor starts in the top left cell inside the walls, 1,1.
  press 7; press space                           # the player's start at 1,1
  presses Right 3
  press 6; press space                           # the exit at 4,1
  press Down
  press 2; press space                           # a wall at 4,2
  presses Right 11
  presses Down 8
  press 0; press space                           # a tire at 15,10, chosen
  presses e 3                                    # TIRE to WAYPOINT
  presses Right 3; press space                   # its first waypoint, 18,10
  presses Down 3; press space                    # its second, 18,13
  keep editor
  press ctrl+shift+s
  sleep 0.5
  presses BackSpace 7                            # the name it offers, level-1
  xdotool type --delay 150 ridge
  sleep 0.3
  keep save-as
  press Return
  sleep 0.5
  has "player 1,1" "saved as ridge"
  has "monster tire 15,10 route 18,10 18,13" "saved as ridge"
  press Escape
  your_levels "YOUR LEVELS after the editor"
  keep your-levels
  sleep 0.6
  to_play                                        # the level made last stays chosen
  press Return
  shows "the level's overview" gui.png 10 0 520 800 80
  press Return
  xdotool keydown d
  sleep 3
  xdotool keyup d
  shows "the result screen" Win.png 10 0 -100 800 800
  keep result
  press space
  your_levels "YOUR LEVELS after the win"
  sleep 0.6
  to_play
  press Left                                     # PLAY to EDIT
  press Return
  editor "the editor again"
  sleep 0.6
  press ctrl+z                                   # the second waypoint goes
  press ctrl+s
  sleep 0.5
  has "monster tire 15,10 route 18,10" "saved after undo"
  keep undone
  press Escape
  your_levels "YOUR LEVELS at the end"
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window appeared"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

finish_play_test "a level made by keys alone" "$work/out"
