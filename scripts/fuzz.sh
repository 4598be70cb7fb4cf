#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs a campaign.
#   scripts/fuzz.sh                 list the targets
#   scripts/fuzz.sh <target> [sec]  fuzz one target (default 600 s), new
#                                   inputs go to build/fuzz/corpus/<target>
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
plix_install_deps

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLIX_FUZZ=ON -DPLIX_TESTS=OFF >/dev/null
if [ $# -eq 0 ]; then
  cmake --build "$build"
  find "$build" -name '*_fuzz' -type f -printf '%f\n' | sed 's/_fuzz$//' | sort
  exit 0
fi
target=$1
seconds=${2:-600}
cmake --build "$build" --target "${target}_fuzz"
exe=$(find "$build" -name "${target}_fuzz" -type f | head -n 1)
work="$build/corpus/$target"
mkdir -p "$work"
"$exe" -max_total_time="$seconds" "$work" "fuzz/corpus/$target"
