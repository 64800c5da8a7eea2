#!/usr/bin/env bash
# Starts the real program on a desktop and ends it the ways a desktop ends programs.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
session_manager=$2

out=$(env -u DISPLAY "$nevalon" 2>&1) && code=0 || code=$?
if [ "$code" -ne 0 ] && [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] && [[ "$out" == *display* ]]; then
  pass "without a display it says so in one line and exits $code"
else
  fail "without a display: exit $code, output: $out"
fi

start_desktop

# A launch from the desktop is answered at start, though no window shows: the launcher's busy cursor ends.
watch_root "$work/xev.log" || fail "xev does not listen"
DESKTOP_STARTUP_ID=e2e-launch_TIME1 "$nevalon" >"$work/run.log" 2>&1 &
pid=$!
if await 'grep -q "(_NET_STARTUP_INFO_BEGIN)" "$work/xev.log"'; then pass "answers its launch"; else fail "no launch answer"; fi
kill $pid $xev_pid 2>/dev/null || true
wait $pid 2>/dev/null || true

await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)
for signal in TERM INT HUP; do
  "$nevalon" >"$work/run.log" 2>&1 &
  pid=$!
  # Its icon shows once its main loop runs.
  if await 'tray_icon_line nevalon' && kill -0 $pid 2>/dev/null; then
    pass "runs its main loop"
  else
    fail "no icon, or ended on its own: $(cat "$work/run.log")"
  fi
  kill -$signal $pid 2>/dev/null || true
  await_exit $pid 5
  if [ "$code" = 0 ]; then pass "SIG$signal ends it with exit code 0"; else fail "SIG$signal: exit $code"; fi
  [ "$code" = running ] && kill -9 $pid
done

# In the tray: a click reads the events, so a passed one shows its notice (Return closes it and the file
# records it), and the context menu's Quit ends the program.
events=$XDG_DATA_HOME/nevalon_events.dat
echo "Launch|1000000000|0|0|1|0|0|0" >"$events"
"$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await 'tray_icon_line nevalon' && pass "the tray shows its icon" || fail "no icon: $(xwininfo -id "$panel" -tree)"
press_tray_icon nevalon 1
return_until 'grep -q "|1|0|0$" "$events"' || true
if [ "$(cat "$events")" = "Launch|1000000000|0|0|1|1|0|0" ]; then
  pass "a click on the icon reads the events and shows a passed event's notice once"
else
  fail "click: $(cat "$events" "$work/run.log")"
fi
# The list is built once the notice has closed, and the notice, titled Nevalon too, may still be going.
if await '[ "$(xdotool search --onlyvisible --name "^Nevalon$" getwindowgeometry | grep -c "Geometry: 460x260")" = 1 ]'; then
  pass "the list window opens with one row"
else
  fail "no list window: $(xdotool search --name '^Nevalon$' getwindowgeometry 2>&1)"
fi
press_tray_icon nevalon 1
await '! list_shown' && pass "a second click closes it" || fail "the second click left it open"
# The desktop's double-click time must pass (not a condition to wait for): a double click counts as one click.
sleep 0.6
press_tray_icon nevalon 1
await list_shown && await '[ "$(xdotool getactivewindow getwindowname)" = Nevalon ]' ||
  fail "the list window does not open with the keyboard: $(xdotool getactivewindow getwindowname 2>&1)"
xdotool key Escape
await '! list_shown' && pass "Escape closes it" || fail "Escape left it open"
quit_from_tray_menu nevalon $pid
[ "$code" = 0 ] && pass "the tray menu's Quit ends it with exit code 0" || fail "Quit: exit $code"
[ "$code" = running ] && kill -9 $pid

# A session manager ends the session: it asks the program to save for a shutdown, then to die.
"$session_manager" >"$work/session.log" 2>&1 &
session_pid=$!
await 'test -s "$work/session.log"' || fail "no session manager: $(cat "$work/session.log")"
SESSION_MANAGER=$(head -1 "$work/session.log") "$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await 'grep -qx die "$work/session.log"' || fail "the session did not end: $(cat "$work/session.log")"
await_exit $pid 5
if [ "$code" = 0 ] && grep -qx saved "$work/session.log"; then
  pass "the end of the session ends it with exit code 0"
else
  fail "session end: exit $code; $(cat "$work/session.log" "$work/run.log")"
fi
[ "$code" = running ] && kill -9 $pid
kill $session_pid 2>/dev/null || true

finish
