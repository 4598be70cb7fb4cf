#!/usr/bin/env bash
# Records every demo in demos/ anew: after a change that alters play (the
# level table, the floor, the screens), on purpose. Builds the game and its
# data in build/release, then runs the recorder, which plays each run
# through SDL input with the game's own "-record", writes the demo, its
# starting players and its expected end, and plays it back once to check
# it. The same source gives the same files every time.
#   scripts/record-demos.sh            all of them
#   scripts/record-demos.sh store ...  only those named
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/release}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j"${JOBS:-4}" --target demorecord gamedata
exec "$build/tools/demos/demorecord" "$PWD/demos" "$@"
