#!/bin/sh
# Runs the generator into a scratch folder and compares what it wrote, file by file and
# byte for byte, with the committed folder.
# Usage: check_reproducible.sh COMMITTED_DIR SCRATCH_DIR GENERATOR [OPTION...]
# (the generator is run as GENERATOR OPTION... SCRATCH_DIR)
set -eu
committed=$1
scratch=$2
shift 2

rm -rf "$scratch"
mkdir -p "$scratch"
"$@" "$scratch" >/dev/null

list() { (cd "$1" && find . -type f | LC_ALL=C sort); }
list "$committed" >"$scratch.committed"
list "$scratch" >"$scratch.generated"
status=0
if ! diff -u "$scratch.committed" "$scratch.generated"; then
  echo "the file lists differ (- committed, + generated)"
  status=1
fi
while read -r f; do
  if [ -f "$scratch/$f" ] && ! cmp -s "$committed/$f" "$scratch/$f"; then
    echo "differs: $f"
    status=1
  fi
done <"$scratch.committed"
rm -f "$scratch.committed" "$scratch.generated"
[ $status -eq 0 ] && echo "all $(list "$committed" | wc -l) files reproduced"
exit $status
