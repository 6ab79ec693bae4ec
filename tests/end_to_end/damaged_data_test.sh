#!/usr/bin/env bash
# Level 1 played from a copy of the data folder with one file missing, cut short, damaged or
# too big at a time: the game must go on, say what is wrong in exactly one line on standard
# error (nothing else there, not even a decoder's own line), end cleanly and stay under a
# peak of PEAK_MB resident (a picture too big to load must be refused before it is decoded).
# Usage: damaged_data_test.sh SANDBOX DATA_DIR PICTURE_WRITER [PEAK_MB]
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
sandbox=$(realpath "$1")
data=$(realpath "$2")
writer=$(realpath "$3")
export SDL_AUDIODRIVER=dummy
limit_kb=$((${4:-300} * 1024))

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# Written once, copied in where a row asks for them.
mkdir "$scratch/pictures"
"$writer" "$scratch/pictures/wide.png" 16385 4 &&
  "$writer" "$scratch/pictures/huge.png" 12000 12000 &&
  "$writer" --header-only "$scratch/pictures/claims_huge.png" 30000 30000 &&
  "$writer" "$scratch/pictures/big_icon.png" 257 257 || exit 1

# play_with FILE missing|cut|letter|PICTURE   then the line the game must print once
# (letter: an X in column 1, row 2 of a level, counted from 0 at the top left)
play_with() {
  local file=$1 how=$2 expected=$3
  rm -rf "$scratch/data"
  cp -r "$data" "$scratch/data"
  case "$how" in
    missing) rm "$scratch/data/$file" ;;
    cut) head -c "$(($(stat -c %s "$data/$file") / 3))" "$data/$file" >"$scratch/data/$file" ;;
    letter) sed '8s/^9 0 /9 X /' "$data/$file" >"$scratch/data/$file" ;;
    *) cp "$scratch/pictures/$how" "$scratch/data/$file" ;;
  esac
  (cd "$scratch" && VANTREL_DATA_DIR="$scratch/data" timeout 60 \
    /usr/bin/time -f %M -o "$scratch/peak_kb" "$sandbox" --level 1 --frames 120 \
    >"$scratch/out" 2>"$scratch/err")
  local rc=$? count peak
  count=$(grep -c -F "$expected" "$scratch/err")
  peak=$(tail -n 1 "$scratch/peak_kb")
  echo "$file $how: peak $((peak / 1024)) MB"
  if [ "$rc" != 0 ] || [ "$count" != 1 ] || [ "$(wc -l <"$scratch/err")" != 1 ] ||
    [ "$peak" -gt "$limit_kb" ]; then
    echo "FAIL: $file $how: exit code $rc, \"$expected\" printed $count times," \
      "peak $((peak / 1024)) MB"
    cat "$scratch/err" "$scratch/out"
    failures=$((failures + 1))
  fi
}

play_with Level1.txt missing 'Level1.txt: no such file'
play_with Level1.txt cut "cells are missing; they are floor, or wall on the map's edge"
play_with Level1.txt letter '1 of 400 cells holds no known code: "X" at column 1, row 2;'
play_with Assets/FIRERAT.png missing 'Could not load picture "Assets/FIRERAT.png"'
play_with Assets/FIRERAT.png cut 'Could not load picture "Assets/FIRERAT.png"'
play_with Assets/floor.png wide.png 'Could not load picture "Assets/floor.png": 16385 x 4 pixels'
play_with Assets/floor.png huge.png 'Could not load picture "Assets/floor.png": 12000 x 12000'
play_with Assets/floor.png claims_huge.png 'Could not load picture "Assets/floor.png": 30000 x'
play_with Assets/icon.png huge.png 'Could not load picture "Assets/icon.png": 12000 x 12000'
play_with Assets/icon.png big_icon.png 'Could not load picture "Assets/icon.png": 257 x 257'
play_with Assets/levelbgm.wav missing 'Could not load sound "Assets/levelbgm.wav"'
play_with Assets/levelbgm.wav cut 'Could not load sound "Assets/levelbgm.wav"'
[ "$failures" -eq 0 ] && echo "damaged data: the game went on every time"
exit $((failures != 0))
