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
