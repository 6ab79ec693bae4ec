#!/usr/bin/env bash
# The real game played with the keyboard alone, with quick taps from outside and no mouse:
# past the splash, PLAY, LEVEL 1, past its overview, the pause menu, MAIN MENU and YES,
# checking what the window shows at each step, and back in the main menu at the end.
# Usage: keyboard_test.sh VANTREL WINDOW_PROBE
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
. "$(dirname "$(realpath "$0")")/../support/x11_play.sh"
start_play_test "$@"

# The mouse rests in a corner, away from every button, and is never touched again.
xdotool mousemove 0 0
"$game" --window >"$work/out" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  shows "the splash" startScreen.png 5 70 -30 660 660
  press Return
  shows "the main menu" main.png 5 0 0 800 600
  sleep 0.6
  press Return                                             # PLAY has the focus
  shows "the level select" level.png 5 0 0 800 600
  sleep 0.6
  press Return                                             # LEVEL 1 has the focus
  # The map covers the middle of the overview's backdrop: half of it shows.
  overview() { "$probe" match "$wid" "$assets/OverviewBackdrop.png" 0 0 800 520 50 "$1"; }
  overview 8 >/dev/null || fail "level 1's overview not shown: $(overview 0)"
  press Return
  overview 0 >/dev/null && fail "Return did not start play: $(overview 0)"
  press Escape
  # Level 1 starts left of the view's centre, so the pause menu stands right of it.
  shows "the pause menu" PauseText.png 5 200 0 800 600
  for _ in 1 2 3 4; do press Down; done                    # RESUME to MAIN MENU
  press Return
  shows "the confirmation" confirmationscreen.png 5 200 150 400 300
  press Left                                               # NO to YES
  press Return
  shows "the main menu after the level" main.png 8 0 0 800 600
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window appeared"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

finish_play_test "keyboard alone" "$work/out"
