#!/usr/bin/env bash
# Plays the real game under a virtual X server with quick taps and clicks from outside, as
# a player would, and checks each screen from what the window shows: the splash, the main
# menu and the level select full screen (scaled, centred), then in a window a level, its pause
# menu (on losing the focus, and on Escape) and the way back to the main menu, the settings
# screen (each setting changed, full screen again from there), and quit through the
# confirmation with exit code 0. Then a second run that shows the settings kept and ends on
# a polite close request, and a start without any display.
# Usage: play_test.sh VANTREL WINDOW_PROBE
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
. "$(dirname "$(realpath "$0")")/../support/x11_play.sh"
start_play_test "$@"
settings="$work/config/vantrel/settings.ini"

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
  sleep 0.2
  grep -qx 'fullscreen = no' "$settings" || fail "the window from Alt+Enter was not kept"
  sleep 0.6
  click_view 150 150                                     # level 1
  # The status strip along the bottom is there only in a level.
  shows "a level" gui.png 5 0 520 800 80
  # Another window takes the focus: the level pauses; back with the focus, Escape resumes.
  # Level 1 starts left of the view's centre, so the pause menu stands right of it.
  "$probe" unfocus "$wid"
  shows "the pause menu on losing the focus" PauseText.png 5 200 0 800 600
  xdotool windowfocus "$wid"
  press Escape
  "$probe" match "$wid" "$assets/PauseText.png" 200 0 800 600 80 0 >/dev/null &&
    fail "Escape did not close the pause menu"
  press Escape
  shows "the pause menu" PauseText.png 5 200 0 800 600
  click_view 600 477                                     # main menu
  click_view 299 347                                     # yes
  shows "the main menu after the level" main.png 5 0 0 800 600
  sleep 0.6
  click_view 400 447                                     # settings
  shows "the settings" settings.png 5 0 0 800 600
  sleep 0.6
  click_view 362 155; click_view 362 155                 # music down twice: 80 %
  click_view 488 210                                     # effects: the fourth step, 40 %
  click_view 660 330                                     # vsync off
  click_view 660 380                                     # game speed 70 %
  click_view 530 480                                     # ghost off
  click_view 400 280                                     # full screen
  wait_for_size "$wid" 1600x1200 || fail "full screen from the settings: $(size_of "$wid")"
  click_view 400 545                                     # back
  shows "the main menu after the settings" main.png 5 0 0 800 600
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

# Every change from the settings screen is in the file; the next run starts with them and
# its settings screen shows them. A file set to a window starts in a window, and a close
# request, as the window's close box sends it, ends the game cleanly.
for line in 'music_volume = 80' 'effects_volume = 40' 'fullscreen = yes' 'vsync = off' \
  'game_speed = 70' 'ghost = no'; do
  grep -qx "$line" "$settings" || fail "not kept: $line"
done
sed -i 's/^fullscreen = yes$/fullscreen = no/' "$settings"
"$game" >"$work/out2" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  wait_for_size "$wid" 800x600 || fail "the window setting gave $(size_of "$wid")"
  shows "the splash on the second run" startScreen.png 3 70 -30 660 660
  press space
  sleep 0.6
  click_view 400 447                                     # settings
  shows "the settings on the second run" settings.png 5 0 0 800 600
  shows "music at 80 %" UI/Step_on.png 2 588 137 24 36
  shows "music not above 80 %" UI/Step_off.png 2 616 137 24 36
  shows "effects at 40 %" UI/Step_on.png 2 476 192 24 36
  shows "effects not above 40 %" UI/Step_off.png 2 504 192 24 36
  shows "the window chosen" UI/Choice_chosen_WINDOW.png 2 470 255 120 50
  shows "vsync off chosen" UI/Choice_chosen_OFF.png 2 600 305 120 50
  shows "game speed 70 % chosen" UI/Choice_chosen_SPEED70.png 2 600 355 120 50
  shows "the ghost off chosen" UI/Choice_chosen_OFF.png 2 470 455 120 50
  "$probe" close "$wid" || fail "the close request could not be sent"
else
  fail "no window on the second run"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

# The command line overrides the file for one run; --help says what there is, --version
# which version this is.
"$game" --help >"$work/out4" 2>&1 && grep -q -- '--fullscreen' "$work/out4" ||
  fail "no usage from --help: $(cat "$work/out4")"
"$game" --version >"$work/out4" 2>&1 && grep -q '^vantrel [0-9][0-9.]*$' "$work/out4" ||
  fail "no version from --version: $(cat "$work/out4")"

# No display at all: one clear line, no crash.
DISPLAY= WAYLAND_DISPLAY= "$game" >"$work/out3" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc without a display"
grep -q '^No display to open the window on' "$work/out3" || fail "no clear message without a display: $(cat "$work/out3")"

finish_play_test "end-to-end" "$work/out1" "$work/out2"
