# Helpers for driving a game window with real X input under Xvfb; sourced by the play tests.

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Begins a play test from its arguments, the game and the window probe: a scratch folder to
# run in (gone at the end) holding the game's own progress and settings, and no sound.
start_play_test() {
  game=$(realpath "$1")
  probe=$(realpath "$2")
  assets=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../data/Assets")
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cd "$work" || exit 1
  export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
}

# Ends a play test: its verdict, and when something failed the given output files.
finish_play_test() {
  local name=$1 out
  shift
  if [ "$failures" -ne 0 ]; then
    for out in "$@"; do echo "--- $out:"; cat "$out"; done
    exit 1
  fi
  echo "$name: all good"
}

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

# What follows needs `wid`, and `probe` (the window probe) and `assets` (the game's pictures)
# as start_play_test sets them.

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
