#!/usr/bin/env bash
# Records a run of the program driven through injected X events, plays it
# back and checks that the playback ends on its own at the recorded update,
# out of step nowhere; then that the playback keys work: "0" skips to the
# end, "p" pauses and resumes.
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

now() { echo $(($(date +%s%N) / 1000000)); }

# Waits for the program (at most 120 s); elapsed: how long since t0.
finish() {
  for _ in $(seq 1200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$name did not end"
  wait "$pid" || fail "$name ended with $?"
  elapsed=$(($(now) - t0))
}

updates() { sed -n 's/^Update Count  = //p' "$work/$1.txt" | tr -d '\r'; }

# The recording: moves, a click, a drag, a double click, typing.
name=record
start -record
window || fail "no window to record"
xdotool mousemove --sync 400 300 click 1 mousemove 420 310 mousedown 1 mousemove 300 200 mouseup 1
xdotool mousemove 200 200 click --repeat 2 1
xdotool type --delay 30 "Pemi"
xdotool key BackSpace Escape
sleep 5
xdotool key alt+F4
t0=0
finish
[ -s "$demo" ] || fail "no demo file written"
recorded=$(updates record)
[ -n "$recorded" ] || fail "no update count of the recording"

# Plain playback: the recorded close ends it, at the same update.
name=play
t0=$(now)
start -play
finish
plain=$elapsed
[ "$(updates play)" = "$recorded" ] || fail "played $(updates play) updates of $recorded"
grep -q "Demo out of step" "$work"/*.txt && fail "playback out of step"

# "0": straight to the end.
name=skip
t0=$(now)
start -play
window || fail "no window to skip in"
xdotool key 0
finish
skipped=$elapsed
[ "$(updates skip)" = "$recorded" ] || fail "skipped run ended at $(updates skip) of $recorded"
[ "$skipped" -lt $((plain - 1500)) ] || fail "skipping took $skipped ms, plain playback $plain ms"

# "p" pauses for three seconds.
name=pause
t0=$(now)
start -play
window || fail "no window to pause"
xdotool key p
sleep 3
xdotool key p
finish
paused=$elapsed
[ "$(updates pause)" = "$recorded" ] || fail "paused run ended at $(updates pause) of $recorded"
[ "$paused" -gt $((plain + 1500)) ] || fail "pausing took $paused ms, plain playback $plain ms"
echo "demo smoke test passed: $recorded updates; plain $plain ms, skipped $skipped ms, paused $paused ms"
