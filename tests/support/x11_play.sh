# Helpers for driving a game window with real X input under Xvfb; sourced by the play tests.

# Prints the id of the first window titled exactly $1, waiting up to 15 seconds.
window_named() {
  local wid
  for _ in $(seq 1 150); do
    wid=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    sleep 0.1
  done
  return 1
}

# A quick tap, as a player makes it: press and release may fall between two frames.
press() {
  xdotool key "$1"
  sleep 0.3
}

# A quick click at a point of the window's client area.
click_at() {
  xdotool mousemove --window "$wid" "$1" "$2"
  sleep 0.15
  xdotool click 1
  sleep 0.3
}

# What follows needs `wid`, `probe` (the window probe), `assets` (the game's pictures) and a
# `fail` function from the script that sources it.

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

# A click at a point of the 800 x 600 view, wherever the window scales and centres it.
click_view() {
  local at
  at=$("$probe" place "$wid" "$1" "$2") || fail "no place for $1,$2 in the window"
  click_at $at
}

# Waits up to `seconds` until the window shows at least 80% of `picture` stretched over
# the rectangle left, top, width, height of the view; else fails and keeps a screenshot.
shows() {
  local what=$1 picture=$2 seconds=$3
  shift 3
  local seen
  if ! seen=$("$probe" match "$wid" "$assets/$picture" "$@" 80 "$seconds"); then
    local shot="${TMPDIR:-/tmp}/vantrel-e2e-${what// /-}.png"
    "$probe" shot "$wid" "$shot"
    fail "$what not shown ($seen of $picture seen; screenshot $shot)"
  fi
}
