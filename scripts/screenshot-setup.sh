# Sourced by the screenshot scripts with the screen to take them on (WIDTHxHEIGHT) and the
# script's own arguments: builds the game and the window probe in build-screenshots, runs
# the script again under a virtual X server of that size, and there sets root, build and
# probe.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-screenshots"
probe="$build/tests/window_probe"
if [ -z "${VANTREL_SHOTS_INNER:-}" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=OFF \
    -DVANTREL_ASSETGEN=OFF >/dev/null
  cmake --build "$build" --target vantrel window_probe -j "$(nproc)"
  export VANTREL_SHOTS_INNER=1
  screen=$1
  shift
  exec xvfb-run -a -s "-screen 0 ${screen}x24" "$0" "$@"
fi
