#!/usr/bin/env bash
# A long random-input campaign: the sweep of the screens tests, started on
# every screen, over and over with new seeds and longer runs, until the
# time is up. A failing seed is printed; PLIX_SWEEP_SEED=<seed> replays it.
#   scripts/sweep.sh [seconds]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
plix_install_deps

build=build/test
seconds=${1:-600}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLIX_SANITIZE=ON -DPLIX_TESTS=ON >/dev/null
cmake --build "$build" --target screens_tests
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
export PLIX_SWEEP_UPDATES=${PLIX_SWEEP_UPDATES:-5000}
end=$(( $(date +%s) + seconds ))
seed=$(( $(date +%s) % 100000 ))
runs=0
while [ "$(date +%s)" -lt "$end" ]; do
  if ! PLIX_SWEEP_SEED=$seed "$build/tests/screens/screens_tests" \
       --gtest_filter='Starts/RandomInputSweep.*' >"$build/sweep-last.log" 2>&1; then
    echo "The sweep failed with seed $seed (log: $build/sweep-last.log):"
    grep -E 'Failure|FAILED' "$build/sweep-last.log" | head -20
    exit 1
  fi
  runs=$((runs + 1))
  seed=$((seed + 1))
done
echo "$runs rounds of the sweep passed, every screen a start each round."
