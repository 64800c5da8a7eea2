#!/usr/bin/env bash
# Starts the real program on a desktop and ends it the ways a desktop ends programs.
source "$(dirname "$0")/desktop.sh"
nevalon=$1

out=$(env -u DISPLAY "$nevalon" 2>&1) && code=0 || code=$?
if [ "$code" -ne 0 ] && [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] && [[ "$out" == *display* ]]; then
  pass "without a display it says so in one line and exits $code"
else
  fail "without a display: exit $code, output: $out"
fi

start_desktop

for signal in TERM INT; do
  "$nevalon" >"$work/run.log" 2>&1 &
  pid=$!
  sleep 1.5
  if kill -0 $pid 2>/dev/null; then pass "runs its main loop"; else fail "ended on its own: $(cat "$work/run.log")"; fi
  kill -$signal $pid 2>/dev/null || true
  await_exit $pid 5
  if [ "$code" = 0 ]; then pass "SIG$signal ends it with exit code 0"; else fail "SIG$signal: exit $code"; fi
  [ "$code" = running ] && kill -9 $pid
done

finish
