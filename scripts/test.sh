#!/usr/bin/env bash
# Installs what is missing, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs every test headless.
# Extra arguments go to ctest (for example -L graphics or -R Buffer).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
plix_install_deps

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLIX_SANITIZE=ON -DPLIX_TESTS=ON
cmake --build "$build"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# SDL's dummy drivers for the real backends; the smoke tests that need a
# window get one from Xvfb.
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# The software renderer: no GL driver threads alive at exit, which
# LeakSanitizer's tracer trips over.
export SDL_RENDER_DRIVER=${SDL_RENDER_DRIVER:-software}
jobs=$(nproc)
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"
# The libFuzzer targets build with clang only: build them and run each a
# few seconds, unless only some tests were asked for.
if [ $# -eq 0 ]; then
  scripts/fuzz-smoke.sh 3
fi
