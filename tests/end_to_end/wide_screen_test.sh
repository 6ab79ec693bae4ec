#!/usr/bin/env bash
# The real game on a 16:9 screen: full screen keeps the view's shape, centred between dark
# bars; buttons answer where they are drawn and a click on a bar presses nothing. Then in a
# window dragged to another shape the view follows it.
# Usage: wide_screen_test.sh VANTREL WINDOW_PROBE [FOLDER to keep screenshots in]
# Needs an X display wider than 4:3, such as 1920 x 1080 (ctest starts one) or 1280 x 800.
set -u
shots=${3:+$(realpath "$3")}
. "$(dirname "$(realpath "$0")")/../support/x11_play.sh"
start_play_test "$@"

keep() { [ -z "$shots" ] || "$probe" shot "$wid" "$shots/$1.png"; }
dark_bars() { "$probe" bars "$wid" >/dev/null || fail "bars not dark $1: $("$probe" bars "$wid")"; }

"$game" >"$work/out" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  screen=$(xdotool getdisplaygeometry | tr ' ' x)
  wait_for_size "$wid" "$screen" || fail "not full screen at start: $(size_of "$wid")"
  shows "the splash" startScreen.png 3 70 -30 660 660
  press space
  shows "the main menu" main.png 5 0 0 800 600
  dark_bars "around the main menu"
  keep main-menu-16x9
  sleep 0.6
  read -r _ play_y <<<"$("$probe" place "$wid" 400 343)"
  click_at 3 "$play_y"                                   # the left bar, level with play
  sleep 0.5
  shows "the main menu after a click on a bar" main.png 2 0 0 800 600
  click_view 400 343                                     # play
  shows "the level select" level.png 5 0 0 800 600
  sleep 0.6
  click_view 150 150                                     # level 1
  shows "a level" gui.png 5 0 520 800 80
  dark_bars "around a level"
  keep level-16x9
  xdotool key alt+Return
  wait_for_size "$wid" 800x600 || fail "Alt+Enter did not leave full screen"
  xdotool windowsize "$wid" 1000 500
  wait_for_size "$wid" 1000x500 || fail "the window could not be resized"
  shows "a level in a resized window" gui.png 5 0 520 800 80
  dark_bars "in a resized window"
  keep level-resized
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window appeared"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

finish_play_test "wide screen" "$work/out"
