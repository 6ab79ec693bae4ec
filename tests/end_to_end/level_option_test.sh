#!/usr/bin/env bash
# vantrel --level FILE with a level file outside every data folder: a damaged one gives one
# line on standard error and exit code 1 before any window opens (so with no display at all);
# a good one opens the game and plays until SIGTERM ends it with exit code 0.
# Usage: level_option_test.sh VANTREL LEVEL_FILE
# Needs an X display for the good file: ctest gives it a virtual one.
set -u
game=$(realpath "$1")
good=$2
export SDL_AUDIODRIVER=dummy
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# refused NAME EXPECTED: the file $scratch/NAME is refused with exactly that line.
refused() {
  local name=$1 expected=$2
  (cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch" timeout 20 \
    "$game" --level "$name" >"$scratch/out" 2>"$scratch/err")
  local rc=$?
  [ "$rc" = 1 ] || fail "$name: exit code $rc"
  [ "$(cat "$scratch/err")" = "$scratch/$expected" ] ||
    fail "$name: standard error was: $(cat "$scratch/err")"
  [ ! -s "$scratch/out" ] || fail "$name: standard output was: $(cat "$scratch/out")"
}

# No closed border: its gap, and how many more problems there are.
sed '6s/^9 9 9/9 0 9/' "$good" >"$scratch/gap.txt"
refused gap.txt "gap.txt: column 1, row 0: a gap in the border"
sed 's/^vantrel level 1$/vantrel level 2/' "$good" >"$scratch/newer.txt"
refused newer.txt 'newer.txt: "vantrel level 2" is a format this game cannot read; it reads vantrel level 1'
refused missing.txt "missing.txt: no such file"
head -c 300 "$good" >"$scratch/cut.txt"
grep -q . "$scratch/cut.txt" && (cd "$scratch" && env -u DISPLAY "$game" --level cut.txt \
  2>&1 >/dev/null | wc -l | grep -qx 1) || fail "cut.txt: not one line"

cp "$good" "$scratch/mine.txt"
(cd "$scratch" && HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" \
  timeout --preserve-status -s TERM 6 "$game" --level mine.txt >"$scratch/out" 2>"$scratch/err")
rc=$?
[ "$rc" = 0 ] || fail "the good level: exit code $rc: $(cat "$scratch/err")"
[ ! -s "$scratch/err" ] || fail "the good level said: $(cat "$scratch/err")"
grep -q '^Graphics: OpenGL' "$scratch/out" || fail "the good level opened no window"

[ "$failures" -eq 0 ] && echo "level option: refused the damaged files, played the good one"
exit $((failures != 0))
