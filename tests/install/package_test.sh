#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, unpacks it into a scratch root
# and starts the unpacked game from an unrelated folder: it must find its own data.
# Usage: package_test.sh BUILD_DIR
# Needs an X display: ctest gives it a virtual one of 1600 x 1200.
set -u
build=$(realpath "$1")
export SDL_AUDIODRIVER=dummy

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"; echo "FAIL: cpack"; exit 1
fi
deb=$(ls "$scratch"/out/vantrel_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root/usr"
for file in bin/vantrel share/applications/vantrel.desktop \
  share/icons/hicolor/64x64/apps/vantrel.png share/vantrel/Assets/icon.png; do
  [ -e "$root/$file" ] || fail "the package has no /usr/$file"
done
[ -e "$root/share/vantrel/Sandbox.txt" ] && fail "the sandbox's test map is packaged"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-image libsdl2-mixer fonts-dejavu-core; do
  case "$depends" in *"$package"*) ;; *) fail "Depends lacks $package: $depends" ;; esac
done

# Started from a folder without data, the installed program goes to its own share folder.
cd "$scratch"
"$root/bin/vantrel" >"$scratch/game.log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do grep -q '^Graphics: OpenGL' "$scratch/game.log" && break; sleep 0.1; done
sleep 1
kill -TERM "$pid"
wait "$pid"
rc=$?
[ "$rc" = 0 ] || fail "exit code $rc after a close request"
grep -q '^Graphics: OpenGL' "$scratch/game.log" || fail "the installed game did not start"
grep -q 'Could not load\|Cannot find' "$scratch/game.log" && fail "the installed game misses data"
if [ "$failures" -ne 0 ]; then cat "$scratch/game.log"; exit 1; fi
echo "package: $(basename "$deb") installs and starts"
