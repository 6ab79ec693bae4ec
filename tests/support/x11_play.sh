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

# Holds a key for a few frames so that the once-a-frame input sampling sees it.
press() {
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep 0.3
}
