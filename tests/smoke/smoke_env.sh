# Sourced by the smoke tests: a work folder removed at exit, an X server of
# the test's own (Xvfb: other tests open windows at the same time) and the
# program's folders inside the work folder. The test sets $pid to the
# program it starts; the exit trap ends it with the X server.
work=$(mktemp -d)
pid=
xvfb=
trap 'kill $pid $xvfb 2>/dev/null; rm -rf "$work"' EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: no X server"; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
export SDL_AUDIODRIVER=dummy
# The smoke runs read the game's debug lines (loading time, loop statistics).
export PLIX_DEBUG=1
# No leak check at the program's exit here: LeakSanitizer's tracer now and
# then crashes while the program's threads wind down (in about one run in
# thirty), which would fail the test for nothing. The application's leaks
# are checked in-process by the game and application tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
