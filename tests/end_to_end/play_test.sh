#!/usr/bin/env bash
# Plays the real game under a virtual X server with quick taps and clicks from outside, as
# a player would, and checks each screen from what the window shows: the splash, the main
# menu and the level select full screen (scaled, centred), then in a window a level, its pause
# menu (on losing the focus, and on Escape) and the way back to the main menu, and quit
# through the confirmation with exit code 0. Then a polite close request, and a start
# without any display.
# Usage: play_test.sh VANTREL WINDOW_PROBE
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
game=$(realpath "$1")
probe=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
assets="$here/../../data/Assets"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# Silent, and progress kept away from the user's own.
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

. "$here/../support/x11_play.sh"

"$game" >"$work/out1" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  wait_for_size "$wid" 1600x1200 || fail "not full screen at start: $(size_of "$wid")"
  shows "the splash" startScreen.png 3 70 -30 660 660
  press space
  shows "the main menu" main.png 5 0 0 800 600
  # Clicks in the menus' first half second are ignored.
  sleep 0.6
  click_view 400 343                                     # play
  shows "the level select" level.png 5 0 0 800 600

  press alt+Return
  wait_for_size "$wid" 800x600 || fail "Alt+Enter did not give the window: $(size_of "$wid")"
  sleep 0.6
  click_view 150 150                                     # level 1
  # The status strip along the bottom is there only in a level.
  shows "a level" gui.png 5 0 520 800 80
  # Another window takes the focus: the level pauses; back with the focus, Escape resumes.
  "$probe" unfocus "$wid"
  shows "the pause menu on losing the focus" PauseText.png 5 0 0 800 600
  xdotool windowfocus "$wid"
  press Escape
  "$probe" match "$wid" "$assets/PauseText.png" 0 0 800 600 80 0 >/dev/null &&
    fail "Escape did not close the pause menu"
  press Escape
  shows "the pause menu" PauseText.png 5 0 0 800 600
  click_view 400 477                                     # main menu
  click_view 299 347                                     # yes
  shows "the main menu after the level" main.png 5 0 0 800 600

  press alt+Return
  wait_for_size "$wid" 1600x1200 || fail "Alt+Enter did not go back to full screen"
  sleep 0.6
  click_view 400 551                                     # quit
  shows "the quit confirmation" confirmation_quitgame.png 5 150 150 500 300
  click_view 489 346                                     # no
  click_view 400 551                                     # quit again
  click_view 288 347                                     # yes
else
  fail "no window appeared"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after yes in the quit confirmation"
grep -q '^Kestrel Engine version: 3.05$' "$work/out1" || fail "no version line"
grep -q '^Graphics: OpenGL$' "$work/out1" || fail "no graphics line"

# The first run wrote the settings out; one set to a window starts in a window, and a
# close request, as the window's close box sends it, ends the game cleanly.
grep -qx 'fullscreen = yes' "$work/config/vantrel/settings.ini" || fail "no settings written"
sed -i 's/^fullscreen = yes$/fullscreen = no/' "$work/config/vantrel/settings.ini"
"$game" >"$work/out2" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  wait_for_size "$wid" 800x600 || fail "the window setting gave $(size_of "$wid")"
  shows "the splash on the second run" startScreen.png 3 70 -30 660 660
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window on the second run"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

# The command line overrides the file for one run; --help says what there is.
"$game" --help >"$work/out4" 2>&1 && grep -q -- '--fullscreen' "$work/out4" ||
  fail "no usage from --help: $(cat "$work/out4")"

# No display at all: one clear line, no crash.
DISPLAY= WAYLAND_DISPLAY= "$game" >"$work/out3" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc without a display"
grep -q '^No display to open the window on' "$work/out3" || fail "no clear message without a display: $(cat "$work/out3")"

if [ "$failures" -ne 0 ]; then
  echo "--- output of the first run:"; cat "$work/out1"
  echo "--- output of the second run:"; cat "$work/out2"
  exit 1
fi
echo "end-to-end: all good"
