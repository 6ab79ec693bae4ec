#!/usr/bin/env bash
# Runs the real game under a virtual X server: it must open full screen, toggle to a
# window on Alt+Enter, quit with exit code 0 on Escape and on a close request, and say
# clearly when there is no display at all.
set -u
game=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
if [ -z "${VANTREL_E2E_INNER:-}" ]; then
  export VANTREL_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

. "$here/../support/x11_play.sh"

# Waits at most 20 seconds for the game to end and puts its exit code in `rc`.
wait_for_exit() {
  for _ in $(seq 1 200); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    kill -KILL "$1"
    fail "the game did not end"
  fi
  wait "$1"
  rc=$?
}

size_of() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

wait_for_size() {
  for _ in $(seq 1 50); do
    [ "$(size_of "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# Escape quits after full screen and Alt+Enter.
"$game" >"$work/out1" 2>&1 &
pid=$!
if wid=$(window_named Vantrel); then
  wait_for_size "$wid" 1600x1200 || fail "not full screen at start: $(size_of "$wid")"
  xdotool mousemove 400 300
  press alt+Return
  wait_for_size "$wid" 800x600 || fail "Alt+Enter did not give the window: $(size_of "$wid")"
  press alt+Return
  wait_for_size "$wid" 1600x1200 || fail "Alt+Enter did not go back to full screen"
  press Escape
else
  fail "no window appeared"
  kill "$pid"
fi
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after Escape"
grep -q '^Kestrel Engine version: 3.05$' "$work/out1" || fail "no version line"
grep -q '^Graphics: OpenGL$' "$work/out1" || fail "no graphics line"

# A close request (what the window's close box or a logout sends) ends the game cleanly.
"$game" >"$work/out2" 2>&1 &
pid=$!
window_named Vantrel >/dev/null || fail "no window on the second run"
kill -TERM "$pid"
wait_for_exit "$pid"
[ "$rc" = 0 ] || fail "exit code $rc after a close request"

# No display at all: one clear line, no crash.
DISPLAY= WAYLAND_DISPLAY= "$game" >"$work/out3" 2>&1
rc=$?
[ "$rc" = 1 ] || fail "exit code $rc without a display"
grep -q '^No display to open the window on' "$work/out3" || fail "no clear message without a display: $(cat "$work/out3")"

if [ "$failures" -ne 0 ]; then
  echo "--- output of the first run:"; cat "$work/out1"
  exit 1
fi
echo "end-to-end: all good"
