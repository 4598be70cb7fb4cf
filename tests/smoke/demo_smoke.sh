#!/usr/bin/env bash
# Records a run of the program driven through injected X events, plays it
# back and checks that the playback ends on its own at the recorded update,
# out of step nowhere; then that the playback keys work: "0" skips to the
# end, "p" pauses and resumes. Nothing here depends on the machine's speed:
# every wait is for a condition, with a generous bound.
set -uo pipefail
exe=$1
run=$(dirname "$exe")
source "$(dirname "$0")/smoke_env.sh"
demo="$XDG_DATA_HOME/VARNOK/Zovad Uda Vodiz/plixapp.dmo"

fail() { echo "FAIL: $*"; echo "--- program output"; tail -n 20 "$work"/*.txt 2>/dev/null; exit 1; }

# Waits (up to 30 s) for the program's window and gives it the keyboard.
window() {
  local w
  for _ in $(seq 300); do
    w=$(xdotool search --onlyvisible --name '^Zovad Uda Vodiz$' 2>/dev/null | head -1)
    if [ -n "$w" ]; then
      sleep 1
      w=$(xdotool search --onlyvisible --name '^Zovad Uda Vodiz$' 2>/dev/null | head -1)
      xdotool windowfocus --sync "$w" 2>/dev/null
      return 0
    fi
    sleep 0.1
  done
  return 1
}

start() {
  (cd "$run" && exec "$exe" "$@" >"$work/$name.txt" 2>&1) &
  pid=$!
}

# Waits (up to 300 s) until the run has loaded its resources.
loaded() {
  for _ in $(seq 3000); do
    grep -q "^Resource Loading Time" "$work/$name.txt" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits for the program (at most 300 s).
finish() {
  for _ in $(seq 3000); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$name did not end"
  wait "$pid" || fail "$name ended with $?"
}

updates() { sed -n 's/^Update Count  = //p' "$work/$1.txt" | tr -d '\r'; }
draws() { sed -n 's/^Draw Count    = //p' "$work/$1.txt" | tr -d '\r'; }

# The recording: moves, a click, a drag, a double click, typing.
name=record
start -record
window || fail "no window to record"
loaded || fail "the recording never finished loading"
xdotool mousemove --sync 400 300 click 1 mousemove 420 310 mousedown 1 mousemove 300 200 mouseup 1
xdotool mousemove 200 200 click --repeat 2 1
xdotool type --delay 30 "Pemi"
xdotool key BackSpace Escape
# A few seconds of play to record (its length only, nothing is timed).
sleep 5
xdotool key alt+F4
finish
[ -s "$demo" ] || fail "no demo file written"
recorded=$(updates record)
[ -n "$recorded" ] || fail "no update count of the recording"

# Plain playback: the recorded close ends it, at the same update.
name=play
start -play
finish
plain=$(draws play)
[ "$(updates play)" = "$recorded" ] || fail "played $(updates play) updates of $recorded"
grep -q "Demo out of step" "$work"/*.txt && fail "playback out of step"

# "0": straight to the end.
# A skip draws about one frame a second, whatever the speed: fewer than
# the plain playback, which draws its frames as it plays.
name=skip
start -play
window || fail "no window to skip in"
xdotool key 0
finish
skipped=$(draws skip)
[ "$(updates skip)" = "$recorded" ] || fail "skipped run ended at $(updates skip) of $recorded"
[ "$skipped" -lt "$plain" ] || fail "skipping drew $skipped frames, plain playback $plain"

# "p" pauses: paused, the playback cannot end, however fast the machine;
# resumed, it ends at the recorded update.
name=pause
start -play
window || fail "no window to pause"
xdotool key p
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the paused playback ended"
xdotool key p
finish
[ "$(updates pause)" = "$recorded" ] || fail "paused run ended at $(updates pause) of $recorded"
echo "demo smoke test passed: $recorded updates; plain playback drew $plain frames, the skip $skipped"
