#!/usr/bin/env bash
# One program per session: a later start hands over to the running one, and a killed one blocks nothing.
source "$(dirname "$0")/desktop.sh"
nevalon=$1

events=$XDG_DATA_HOME/nevalon_events.dat
echo "Trip|$(($(date +%s) + 30 * 86400 + 5400))|0|0|6|0|0|0" >"$events"
out=$(env -u DISPLAY "$nevalon" --list) && code=0 || code=$?
fields=$(python3 -c 'import json, sys; d = json.loads(sys.argv[1]); print(d["text"], d["tooltip"], d["class"])' \
  "$(env -u DISPLAY "$nevalon" --json)")
if [ "$code" = 0 ] && [ "$out" = "Trip: 30 days, 1 hour" ] && [ "$fields" = "$out $out upcoming" ] &&
  [ -z "$(ls -A "$XDG_CONFIG_HOME")" ]; then
  pass "the command line answers in text and JSON without a display and writes no settings"
else
  fail "command line: exit $code, output: $out, JSON: $fields, settings: $(ls -A "$XDG_CONFIG_HOME")"
fi

start_desktop
dbus-daemon --session --nofork --address="unix:path=$work/bus" >"$work/bus.log" 2>&1 &
bus_pid=$!
trap 'kill $bus_pid 2>/dev/null; stop_desktop' EXIT
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
await 'test -S "$work/bus"' || { echo "no session bus: $(cat "$work/bus.log")" >&2; exit 1; }
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)
list_shown() { xdotool search --onlyvisible --name '^Nevalon$' >/dev/null; }

"$nevalon" >"$work/first.log" 2>&1 &
first=$!
watch_root "$work/xev.log" || fail "xev does not listen"
DESKTOP_STARTUP_ID=e2e-second_TIME2 "$nevalon" >"$work/second.log" 2>&1 && code=0 || code=$?
await 'tray_icon_line nevalon' || fail "no icon: $(cat "$work/first.log")"
if [ "$code" = 0 ] && await list_shown && kill -0 $first && [ "$(tray_icon_line nevalon | wc -l)" = 1 ]; then
  pass "a second start opens the running program's list window and exits with 0"
else
  fail "second start: exit $code, $(cat "$work/second.log" "$work/first.log")"
fi
await 'grep -q "(_NET_STARTUP_INFO_BEGIN)" "$work/xev.log"' && pass "the second start's launch is answered" ||
  fail "the second start's launch stays unanswered"
kill $xev_pid

kill -KILL $first
await '! tray_icon_line nevalon' || fail "the killed program's icon stays"
# Two starts at once: whichever takes the lock runs, and the other, made while the first still starts (it
# offers itself on the bus only once its icon shows), hands over to it.
"$nevalon" >"$work/third.log" 2>&1 &
third=$!
"$nevalon" >"$work/again.log" 2>&1 &
again=$!
await '! kill -0 $third 2>/dev/null || ! kill -0 $again 2>/dev/null'
if kill -0 $third 2>/dev/null; then later=$again; else later=$third third=$again; fi
await_exit $later 10
if await 'tray_icon_line nevalon' && kill -0 $third && [ "$code" = 0 ] && await list_shown &&
  [ "$(tray_icon_line nevalon | wc -l)" = 1 ]; then
  pass "after a killed program, of two starts at once one runs and the other opens its list window"
else
  fail "after a kill: exit $code, $(cat "$work/third.log" "$work/again.log")"
fi
kill -TERM $third
await_exit $third 5

# Without a session bus the lock alone keeps a second start out.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
"$nevalon" >"$work/fourth.log" 2>&1 &
fourth=$!
await 'tray_icon_line nevalon' || fail "no icon without a bus: $(cat "$work/fourth.log")"
"$nevalon" >"$work/fifth.log" 2>&1 && code=0 || code=$?
if [ "$code" = 0 ] && [ "$(cat "$work/fifth.log")" = "nevalon: Nevalon already runs" ] && kill -0 $fourth; then
  pass "without a session bus a second start says that Nevalon runs and exits with 0"
else
  fail "without a bus: exit $code, $(cat "$work/fifth.log")"
fi
kill -TERM $fourth
await_exit $fourth 5

finish
