#!/usr/bin/env bash
# Plays the sandbox level with real keys and clicks under a virtual X server: restart from
# the pause menu, walk north, then leave through the menu's confirmation.
# Usage: play_test.sh SANDBOX
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
sandbox=$(realpath "$1")
export SDL_AUDIODRIVER=dummy

out=$(mktemp)
trap 'rm -f "$out"' EXIT

. "$(dirname "$(realpath "$0")")/../../tests/support/x11_play.sh"

"$sandbox" >"$out" 2>&1 &
pid=$!
if ! wid=$(window_named 'Vantrel sandbox'); then
  echo "FAIL: no sandbox window"; kill "$pid"; cat "$out"; exit 1
fi
# Standard output goes to a file here: each message must be there while the program runs.
for _ in $(seq 1 30); do grep -q '^Graphics: OpenGL' "$out" && break; sleep 0.1; done
grep -q '^Graphics: OpenGL' "$out" && logged_live=1 || logged_live=0
sleep 0.5
# Hit box centres of the pause menu in the 800 x 600 window: the player starts left of the
# view's centre, so the menu stands right of it.
press Escape; click_at 598 296; click_at 299 347          # restart, yes
for _ in $(seq 1 50); do grep -q '^Restarting$' "$out" && break; sleep 0.1; done
sleep 0.5
xdotool mousemove --window "$wid" 100 100
xdotool keydown w; sleep 0.6; xdotool keyup w; sleep 0.2
press Escape; click_at 600 477; click_at 299 347          # main menu, yes
wait "$pid"
rc=$?

[ "$rc" = 0 ] || fail "exit code $rc"
[ "$logged_live" = 1 ] || fail "messages reached the log only at exit"
grep -q '^Restarting$' "$out" || fail "restart from the pause menu did not reload the level"
grep -q '^Main menu chosen: the sandbox ends$' "$out" || fail "the main menu did not end the sandbox"
y=$(sed -n 's/^player at (\(.*\), \(.*\))$/\2/p' "$out" | tail -n 1)
awk -v y="${y:-none}" 'BEGIN { exit !(y != "none" && y > -225 && y < 0) }' ||
  fail "W did not walk the player north from y -225 (ended at ${y:-nowhere})"
finish_play_test "sandbox play" "$out"
