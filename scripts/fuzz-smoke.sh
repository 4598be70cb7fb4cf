#!/usr/bin/env bash
# Builds every libFuzzer target with clang (build/fuzz, as scripts/fuzz.sh
# does) and runs each for a few seconds on a copy of its corpus, so that a
# change that breaks the clang build or a target is seen at once.
#   scripts/fuzz-smoke.sh [seconds per target, default 3]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3}
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLIX_FUZZ=ON -DPLIX_TESTS=OFF >/dev/null
cmake --build "$build"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for exe in $(find "$build" -name '*_fuzz' -type f | sort); do
  target=$(basename "$exe" _fuzz)
  mkdir -p "$scratch/$target"
  cp -r "fuzz/corpus/$target/." "$scratch/$target/"
  if PLIX_FUZZ_SCRATCH="$scratch" "$exe" -max_total_time="$seconds" -print_final_stats=0 \
       "$scratch/$target" >"$scratch/$target.log" 2>&1; then
    echo "fuzz $target: ok"
  else
    echo "fuzz $target: FAILED"
    tail -n 30 "$scratch/$target.log"
    failed=1
  fi
done
exit $failed
