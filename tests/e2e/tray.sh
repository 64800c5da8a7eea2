#!/usr/bin/env bash
# The status icon in a real tray host: embedded, clicked, and quit from its context menu.
source "$(dirname "$0")/desktop.sh"
driver=$1
start_desktop
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)

"$driver" tray >"$work/tray.log" 2>&1 &
pid=$!
await 'grep -qx ready "$work/tray.log"' || fail "the driver did not start"
icon_line() { tray_icon_line e2e_window_driver; }
await icon_line && pass "the tray host embeds the icon" || fail "no icon in the tray: $(xwininfo -id "$panel" -tree)"

press_icon() { press_tray_icon e2e_window_driver "$1"; }
press_icon 1
await 'grep -qx "status 0 0 0" "$work/tray.log"' && [ "$(grep -c ^status "$work/tray.log")" = 1 ] &&
  pass "a click on the icon posts event 9 of icon 0 and window 0, once" || fail "click: $(cat "$work/tray.log")"

# A tray host that comes later shows the icon too.
kill $trayer_pid
wait $trayer_pid 2>/dev/null || true
await '! xdotool search --name "^panel$"' || fail "the first tray host stays"
trayer --edge top --align right --widthtype request --height 24 --SetPartialStrut true >"$work/trayer2.log" 2>&1 &
trayer_pid=$!
await 'xdotool search --name "^panel$"' || fail "no second tray host"
panel=$(xdotool search --name '^panel$' | head -1)
await icon_line && pass "a tray host that starts later shows the icon" || fail "no icon in the new tray"

# The context menu's last entry is Quit: Up from no entry chooses it.
quit_from_tray_menu e2e_window_driver $pid
[ "$code" = 0 ] && pass "the context menu's Quit asks the program to quit" || fail "Quit: exit $code"
[ "$code" = running ] && kill $pid
finish
