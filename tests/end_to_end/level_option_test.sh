#!/usr/bin/env bash
# vantrel --level FILE with a level file outside every data folder: a damaged one gives one
# line on standard error and exit code 1 before any window opens (so with no display at all);
# a good one opens the game and plays until SIGTERM ends it with exit code 0.
# vantrel --edit FILE likewise refuses a file that cannot be read whole, and opens the editor
# on a level that does not play yet or on a file that is not there.
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

# refused NAME EXPECTED [OPTION]: the file $scratch/NAME is refused with exactly that line.
refused() {
  local name=$1 expected=$2 option=${3:---level}
  (cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch" timeout 20 \
    "$game" "$option" "$name" >"$scratch/out" 2>"$scratch/err")
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

refused cut.txt 'cut.txt line 19: cannot read "mo"; left out' --edit
refused newer.txt 'newer.txt: "vantrel level 2" is a format this game cannot read; it reads vantrel level 1' --edit
mkdir "$scratch/folder.txt"
refused folder.txt "folder.txt: cannot be read: it is not a regular file" --edit

# opens OPTION NAME: the game opens its window on $scratch/NAME and ends with exit code 0 by
# SIGTERM or by itself, saying nothing on standard error.
opens() {
  local option=$1 name=$2
  (cd "$scratch" && HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" \
    timeout --preserve-status -s TERM 6 "$game" "$option" "$name" >"$scratch/out" 2>"$scratch/err")
  local rc=$?
  [ "$rc" = 0 ] || fail "$option $name: exit code $rc: $(cat "$scratch/err")"
  [ ! -s "$scratch/err" ] || fail "$option $name said: $(cat "$scratch/err")"
  grep -q '^Graphics: OpenGL' "$scratch/out" || fail "$option $name opened no window"
}

cp "$good" "$scratch/mine.txt"
opens --level mine.txt
opens --edit gap.txt
opens --edit new-level.txt

[ "$failures" -eq 0 ] &&
  echo "level option: refused the damaged files, played the good one, edited the others"
exit $((failures != 0))
