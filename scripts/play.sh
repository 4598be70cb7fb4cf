#!/usr/bin/env bash
# Installs what is missing, builds the game and its data (Release, in
# build/release) and starts it in build/release/run, where main.pak and
# data/ are. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
plix_install_deps

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLIX_TESTS=OFF
cmake --build "$build" --target zovad gamedata
cd "$build/run"
exec ./zovad "$@"
