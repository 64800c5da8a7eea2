#!/usr/bin/env bash
# The real program with the tray hosts Linux desktops have: none at start, a panel at the bottom, and a
# StatusNotifierItem host (KDE, GNOME's AppIndicator) on the session bus.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
services=$2
export TZ=UTC

# Waits up to $2 seconds for the shell command $1 to succeed.
await_long() {
  for _ in $(seq $(($2 * 10))); do
    eval "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A private session bus, and on it a notification server.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
bus_pid=$!
trap 'kill ${pid:-} ${notices_pid:-} ${watcher_pid:-} $bus_pid 2>/dev/null || true; stop_desktop' EXIT
await 'test -s "$work/bus"' || { echo "no session bus" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
"$services" notifications >"$work/notices.log" 2>&1 &
notices_pid=$!
await 'grep -qx ready "$work/notices.log"' || { echo "no notification server: $(cat "$work/notices.log")" >&2; exit 1; }

# No tray when the program starts: it says so once, on stderr and as a notification, and its icon shows as
# soon as a tray appears.
start_desktop no-tray
# Without a session bus no notification server can answer: a message window says it instead.
env -u DBUS_SESSION_BUS_ADDRESS "$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await_long 'xdotool search --onlyvisible --name "^No system tray$"' 30 &&
  pass "without a tray or a notification server a message window says so" || fail "no message window"
kill $pid
wait $pid 2>/dev/null || true
"$nevalon" >"$work/run.log" 2>&1 &
pid=$!
message="No system tray was found. Nevalon shows its icon once a tray appears"
await_long 'grep -q "$message" "$work/run.log"' 30 && [ "$(grep -c "No system tray" "$work/run.log")" = 1 ] &&
  pass "without a tray it says so once on stderr" || fail "no-tray message: $(cat "$work/run.log")"
await 'grep -q "^notify No system tray|$message" "$work/notices.log"' && [ "$(grep -c ^notify "$work/notices.log")" = 1 ] &&
  pass "and once as a desktop notification" || fail "notification: $(cat "$work/notices.log")"
start_tray top
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)
await 'tray_icon_line nevalon' && pass "a tray that appears later shows the icon" || fail "no icon in the late tray"
kill $pid
wait $pid 2>/dev/null || true

# A panel at the bottom: the list window opens resting on it, not under the top edge. The program runs in a
# Wayland session that has an X display: it takes X11, where a window can be placed.
kill $trayer_pid
wait $trayer_pid 2>/dev/null || true
await '! xdotool search --name "^panel$"' || fail "the top tray stays"
start_tray bottom
await 'xdotool search --name "^panel$"' || fail "no bottom tray host"
panel=$(xdotool search --name '^panel$' | head -1)
# The window manager has taken the panel's edge out of the work area.
await 'xprop -root _NET_WORKAREA | grep -q "0, 0, 1280, 776"' || fail "no work area: $(xprop -root _NET_WORKAREA)"
XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-e2e "$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await 'tray_icon_line nevalon' && ! grep -qi wayland "$work/run.log" &&
  pass "in a Wayland session with an X display it runs on X11" || fail "on Wayland: $(cat "$work/run.log")"
press_tray_icon nevalon 1
list_geometry() { xdotool search --onlyvisible --name '^Nevalon$' getwindowgeometry --shell 2>/dev/null; }
await list_geometry || fail "no list window"
eval "$(list_geometry | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
[ "$((Y + HEIGHT))" = 776 ] && [ "$HEIGHT" = 230 ] &&
  pass "a click on a bottom panel opens the list window on the panel" ||
  fail "list window at $X,$Y ${WIDTH}x$HEIGHT, panel: $(xdotool getwindowgeometry "$panel")"
kill $pid
wait $pid 2>/dev/null || true

# A StatusNotifierItem host: the icon registers with the watcher instead of the XEmbed tray, tells its title,
# tooltip and status, and its Activate opens the list window; the tooltip then names the next event.
"$services" watcher >"$work/watcher.log" 2>&1 &
watcher_pid=$!
await 'grep -qx ready "$work/watcher.log"' || fail "no watcher: $(cat "$work/watcher.log")"
echo "Trip|$(($(date +%s) + 2 * 86400 + 1800))|0|0|6|0|0|0" >"$XDG_DATA_HOME/nevalon_events.dat"
"$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await 'grep -q "^item " "$work/watcher.log"' && pass "the icon registers with a StatusNotifierWatcher" ||
  fail "no registration: $(cat "$work/watcher.log" "$work/run.log")"
item=$(awk '/^item / { print $2; exit }' "$work/watcher.log")
property() {
  dbus-send --session --print-reply --dest="$item" /StatusNotifierItem org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierItem string:"$1"
}
# The events are read at start: the tooltip names the next one before any click.
[ "$(property Status | grep -c 'string "Active"')" = 1 ] && property Title | grep -q 'string "nevalon"' &&
  property ToolTip | grep -A1 'string "Nevalon' | grep -qx 'Trip: 2 days, 0 hours"' &&
  pass "the item is active, titled, and its tooltip shows the next event and its countdown" ||
  fail "item properties: $(property Status; property Title; property ToolTip)"
! tray_icon_line nevalon >/dev/null && pass "and stays out of the XEmbed tray" || fail "the icon is in the XEmbed tray too"
xdotool mousemove 640 790
dbus-send --session --print-reply --dest="$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
  int32:640 int32:790 >/dev/null
await list_geometry && pass "Activate opens the list window" || fail "Activate: no list window"
finish
