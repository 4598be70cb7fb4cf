#!/usr/bin/env bash
# Starts the program on an X server of its own (Xvfb: other tests open
# windows at the same time), drives it with xdotool and checks what it
# leaves behind: the exit codes, the run statistics, the settings in the
# registry file, the hand-over to a running instance, the refusal of an
# unknown switch and the start without a display.
set -uo pipefail
exe=$1
run=$(dirname "$exe")
source "$(dirname "$0")/smoke_env.sh"
registry="$XDG_CONFIG_HOME/VARNOK/Zovad Uda Vodiz/registry.txt"

fail() { echo "FAIL: $*"; echo "--- program output"; cat "$work"/out*.txt 2>/dev/null; exit 1; }

# Waits (up to 120 s) until a visible window of the program meets a
# condition on its geometry ($X, $Y, $WIDTH, $HEIGHT), leaves those set and
# prints the window's id. It polls instead of sleeping a fixed time: SDL may
# make the X window again when the renderer starts, and a mode switch takes
# as long as a loaded machine needs.
window() {
  local cond=$1 w
  for _ in $(seq 1200); do
    for w in $(xdotool search --onlyvisible --name '^Zovad Uda Vodiz$' 2>/dev/null); do
      X= Y= WIDTH= HEIGHT=
      eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
      [ -n "$WIDTH" ] && eval "$cond" && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Closes the program with Alt+F4 and waits (up to 30 s) for it; its exit
# code is the function's, 124 when it did not end.
close() {
  xdotool key alt+F4
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; wait "$pid"; return 124; }
  wait "$pid"
}

start() {
  (cd "$run" && exec "$exe" >"$work/out$1.txt" 2>&1) &
  pid=$!
}

# Waits (up to 300 s: a sanitizer build on a busy machine) until run $1 has
# loaded its resources, when keys and clicks reach the game's screens.
loaded() {
  for _ in $(seq 3000); do
    grep -q "^Resource Loading Time" "$work/out$1.txt" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

read -r dw dh <<<"$(xdotool getdisplaygeometry)"
# A framed window of the game's size, centred in the work area a little
# above the middle (Xvfb has no window manager: no frame, no panels).
windowed='[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] && [ "$X" = $(((dw - 800) / 2)) ]'

# First run: full screen (the game's default), a popup covering the
# desktop even though no window manager grants full screen (Xvfb has none).
# Then Alt+Enter for a window.
start 1
window '[ "$X" = 0 ] && [ "$Y" = 0 ] && [ "$WIDTH" = "$dw" ] && [ "$HEIGHT" = "$dh" ]' >/dev/null ||
  fail "not full screen at first: $(window true >/dev/null && echo "${WIDTH}x$HEIGHT at $X,$Y" || echo "no window")"
loaded 1 || fail "the first run never finished loading"
xdotool mousemove --sync 400 300 click 1 click --repeat 2 1
xdotool type --delay 20 "Pemi"
xdotool key ctrl+alt+d F3 Escape BackSpace Tab Return
xdotool key alt+Return
window "$windowed" >/dev/null ||
  fail "no centred 800x600 window after Alt+Enter: $(window true >/dev/null && echo "${WIDTH}x$HEIGHT at $X,$Y")"

# A second start hands over to the first and ends with 0.
(cd "$run" && timeout 120 "$exe" >"$work/out-second.txt" 2>&1)
[ $? = 0 ] || fail "second start did not end with 0"
grep -q "Seconds" "$work/out-second.txt" && fail "second start ran a main loop"
grep -q "is already running; it was brought to the front" "$work/out-second.txt" || fail "second start said nothing"
kill -0 "$pid" 2>/dev/null || fail "first program ended"

close; code=$?
[ "$code" = 0 ] || fail "exit code $code"
out="$work/out1.txt"
for line in "Seconds       = " "Sleep Count   = " "Update Count  = " "Draw Count    = " "Draw Time     = " \
            "Screen Blt    = "; do
  grep -q "^$line" "$out" || fail "no '$line' line"
done
seconds=$(sed -n 's/^Seconds       = //p' "$out" | tr -d '\r')
updates=$(sed -n 's/^Update Count  = //p' "$out" | tr -d '\r')
# Never more than the 100 updates a second real time allows; how many fewer
# depends on the machine's load, so that is not checked (rates belong to the
# benchmarks).
awk -v s="$seconds" -v u="$updates" 'BEGIN { exit !(u <= s * 100 + 20) }' ||
  fail "$updates updates in $seconds seconds"

# The settings survive in the registry file: windowed now.
grep -q "ScreenMode=dword:0" "$registry" || fail "ScreenMode not stored"
grep -q "MusicVolume=dword:50" "$registry" || fail "MusicVolume not stored"
grep -q "InProgress=dword:0" "$registry" || fail "InProgress not cleared"

# Second run starts in a window of the game's size.
start 2
window '[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] && [ "$X" != 0 ]' >/dev/null ||
  fail "second run's window: $(window true >/dev/null && echo "${WIDTH}x$HEIGHT at $X,$Y" || echo "none")"
loaded 2 || fail "the second run never finished loading"
close; code=$?
[ "$code" = 0 ] || fail "second run's exit code $code"

# No display: one line naming the variable, and failure.
(cd "$run" && env -u WAYLAND_DISPLAY DISPLAY= timeout 60 "$exe" >"$work/out-nodisplay.txt" 2>&1)
code=$?
[ "$code" != 0 ] && [ "$code" != 124 ] || fail "start without a display ended with $code"
grep -q "No display could be opened: DISPLAY is not set" "$work/out-nodisplay.txt" ||
  fail "no clear message without a display"

# An unknown switch: the message (on standard error without a display) and
# code 1, so that a launcher can tell; "--help" is one too.
(cd "$run" && DISPLAY= SDL_VIDEODRIVER=dummy timeout 30 "$exe" -bogus=1 >"$work/out-bogus.txt" 2>&1)
[ $? = 1 ] || fail "unknown switch did not end with 1"
grep -q "Invalid command line parameter: -bogus" "$work/out-bogus.txt" || fail "no invalid-parameter message"
(cd "$run" && DISPLAY= SDL_VIDEODRIVER=dummy timeout 30 "$exe" --help >"$work/out-help.txt" 2>&1)
[ $? = 1 ] || fail "--help did not end with 1"
# A demo that is no demo, endless at that: refused at its head, code 1.
(cd "$run" && DISPLAY= SDL_VIDEODRIVER=dummy timeout 60 "$exe" -play -demofile=/dev/zero >"$work/out-zero.txt" 2>&1)
[ $? = 1 ] || fail "a demo of endless zeros did not end with 1"
grep -q "Invalid demo file." "$work/out-zero.txt" || fail "no invalid-demo message"
# A broken archive beside a program without loose files: why, and code 1.
mkdir "$work/bare" && cp "$exe" "$work/bare/" && echo "not an archive" >"$work/bare/main.pak"
(cd "$work/bare" && DISPLAY= SDL_VIDEODRIVER=dummy timeout 60 ./"$(basename "$exe")" >"$work/out-pak.txt" 2>&1)
[ $? = 1 ] || fail "a broken archive did not end with 1"
grep -q "Pak archive main.pak refused: not a pak archive" "$work/out-pak.txt" || fail "no archive message"
echo "smoke test passed"
