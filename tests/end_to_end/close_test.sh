#!/usr/bin/env bash
# The window closed in every state, as its close box does, ends the game with exit code 0;
# so do SIGTERM and SIGHUP in the middle of a level, and the window destroyed or the game's
# connection to X cut by another program, all without a word of X errors. Each case starts the real game afresh, walks to
# its state with quick taps and clicks, and closes.
# Usage: close_test.sh VANTREL WINDOW_PROBE
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
. "$(dirname "$(realpath "$0")")/../support/x11_play.sh"
start_play_test "$@"

to_menu() { press space; shows "the main menu" main.png 5 0 0 800 600; sleep 0.6; }
to_levels() { to_menu; click_view 400 343; shows "the level select" level.png 5 0 0 800 600; sleep 0.6; }
to_level() { to_levels; click_view 150 150; shows "a level" gui.png 5 0 520 800 80; }

# case NAME HOW STEPS...: starts the game, runs the steps, ends it by HOW: close (a close
# request), term or hup (that signal), destroy (another client destroys the window), cut
# (another client cuts the game's connection to the X server).
case_() {
  local name=$1 how=$2
  shift 2
  "$game" >"$work/out" 2>&1 &
  local pid=$!
  if ! wid=$(window_named Vantrel); then
    fail "$name: no window"; kill -KILL "$pid"; cat "$work/out"; return
  fi
  shows "the splash" startScreen.png 3 70 -30 660 660
  for step in "$@"; do eval "$step"; done
  case $how in
    term | hup) kill -"${how^^}" "$pid" ;;
    destroy) xdotool windowclose "$wid" ;;
    cut) xdotool windowkill "$wid" ;;
    *) "$probe" close "$wid" ;;
  esac
  wait_for_exit "$pid"
  [ "$rc" = 0 ] || { fail "$name: exit code $rc"; cat "$work/out"; }
  grep -q 'X Error\|XIO\|X connection' "$work/out" && { fail "$name: X errors"; cat "$work/out"; }
}

case_ "start screen" close
case_ "main menu" close to_menu
case_ "quit confirmation" close to_menu "click_view 400 551"
case_ "instructions" close to_menu "click_view 400 395" \
  "shows 'the instructions' Instruction.png 5 0 0 800 600"
case_ "credits" close to_menu "click_view 400 499" \
  "shows 'the credits' creditscreen.png 5 0 0 800 600"
case_ "level select" close to_levels
# A pipe where the progress file should be: the level select must not wait on it for ever.
mkdir -p "$work/data/vantrel" && mkfifo "$work/data/vantrel/progress.txt"
case_ "level select, a pipe for progress" close to_levels
rm -f "$work/data/vantrel/progress.txt"
# A pipe and a 5 MB file among the player's levels: YOUR LEVELS (its BACK) must still show
# at once.
mkdir -p "$work/data/vantrel/levels" && mkfifo "$work/data/vantrel/levels/pipe.txt"
head -c 5000000 /dev/zero | tr '\0' 9 >"$work/data/vantrel/levels/huge.txt"
case_ "your levels, a pipe and a huge file" close to_levels "click_view 235 550" \
  "shows 'your levels' UI/Button_idle_BACK.png 5 25 505 150 80"
rm -rf "$work/data/vantrel/levels"
# A pipe for the pad mappings, then far too many of them: the splash must still show
# within its 3 seconds, and the close request be heard.
mkdir -p "$work/config/vantrel" && mkfifo "$work/config/vantrel/gamecontrollerdb.txt"
case_ "start screen, a pipe for pad mappings" close
rm -f "$work/config/vantrel/gamecontrollerdb.txt"
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "03000000%08x0000360800000000,Pad %d,a:b1," \
  "b:b2,x:b0,y:b3,leftx:a0,lefty:a1,platform:Linux,\n", i, i }' \
  >"$work/config/vantrel/gamecontrollerdb.txt"
case_ "start screen, 100 000 pad mappings" close
rm -f "$work/config/vantrel/gamecontrollerdb.txt"
case_ "loading screen" close to_levels "click_view 150 150"
case_ "a level" close to_level
case_ "pause menu" close to_level "press Escape"
case_ "a level, SIGTERM" term to_level
case_ "a level, SIGHUP" hup to_level
case_ "a level, window destroyed" destroy to_level
case_ "a level, connection cut" cut to_level
[ "$failures" -eq 0 ] && echo "close: every state ended with exit code 0"
exit $((failures != 0))
