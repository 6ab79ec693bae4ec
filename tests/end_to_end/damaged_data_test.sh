#!/usr/bin/env bash
# Level 1 played from a copy of the data folder with one file missing or cut short at a
# time: the game must go on, say what is wrong in exactly one line, and end cleanly.
# Usage: damaged_data_test.sh SANDBOX DATA_DIR
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
sandbox=$(realpath "$1")
data=$(realpath "$2")
export SDL_AUDIODRIVER=dummy

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# damage FILE missing|cut   then the line the game must print once
play_with() {
  local file=$1 how=$2 expected=$3
  rm -rf "$scratch/data"
  cp -r "$data" "$scratch/data"
  if [ "$how" = missing ]; then
    rm "$scratch/data/$file"
  else
    head -c "$(($(stat -c %s "$scratch/data/$file") / 3))" "$data/$file" >"$scratch/data/$file"
  fi
  (cd "$scratch" && VANTREL_DATA_DIR="$scratch/data" timeout 60 "$sandbox" --level 1 --frames 120 \
    >"$scratch/out" 2>&1)
  local rc=$? count
  count=$(grep -c -F "$expected" "$scratch/out")
  if [ "$rc" != 0 ] || [ "$count" != 1 ]; then
    echo "FAIL: $file $how: exit code $rc, \"$expected\" printed $count times"
    cat "$scratch/out"
    failures=$((failures + 1))
  fi
}

play_with Level1.txt missing 'Not able to open map file "Level1.txt": No such file or directory'
play_with Level1.txt cut 'cells are missing or unreadable; they are floor'
play_with Assets/FIRERAT.png missing 'Could not load picture "Assets/FIRERAT.png"'
play_with Assets/FIRERAT.png cut 'Could not load picture "Assets/FIRERAT.png"'
play_with Assets/levelbgm.wav missing 'Could not load sound "Assets/levelbgm.wav"'
play_with Assets/levelbgm.wav cut 'Could not load sound "Assets/levelbgm.wav"'
[ "$failures" -eq 0 ] && echo "damaged data: the game went on every time"
exit $((failures != 0))
