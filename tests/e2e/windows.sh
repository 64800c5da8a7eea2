#!/usr/bin/env bash
# What windows ask of the desktop reaches the window manager: a list window without taskbar entry,
# frame or move, and an ordinary window with all of them.
source "$(dirname "$0")/desktop.sh"
driver=$1
start_desktop

"$driver" list >"$work/list.log" 2>&1 &
list_pid=$!
"$driver" Control >"$work/control.log" 2>&1 &
control_pid=$!
await 'grep -qx ready "$work/list.log" && grep -qx ready "$work/control.log"' || fail "the driver did not start"
id() { xdotool search --name "^$1\$" | head -1; }
list=$(id Nevalon) later=$(id "Nevalon Later") control=$(id Control)
for w in $list $later $control; do
  await "xprop -id $w _NET_FRAME_EXTENTS | grep -q =" || fail "the window manager did not take $w"
done

pos() { xwininfo -id "$1" | awk '/Absolute upper-left [XY]/ { printf "%s ", $NF }'; }
# A left-button drag by (50, 40) from (x, y) at a person's pace, holding the key $3 if one is given.
drag() {
  xdotool mousemove --sync "$1" "$2" sleep 0.2 ${3:+keydown $3} mousedown 1 sleep 0.2
  for _ in 1 2 3 4 5; do xdotool mousemove_relative --sync 10 8 sleep 0.05; done
  xdotool mouseup 1 ${3:+keyup $3}
}
drag 300 150 alt
read -r x y <<<"$(pos "$control")"
drag $((x + 100)) $((y + 100)) alt
await '[ "$(pos "$control")" != "$x $y " ]' && pass "Alt-drag moves the control window" || fail "Alt-drag"
read -r x y <<<"$(pos "$control")"
drag $((x + 100)) $((y - 8))
await '[ "$(pos "$control")" != "$x $y " ]' && pass "its title bar moves it" || fail "title-bar drag"
# The window manager has handled all the windows asked for before it moved the control window.
[ "$(pos "$list")" = "100 40 " ] && pass "the list window stays where it was put" || fail "list at $(pos "$list")"

has() { xprop -id "$1" "$2" | grep -q "$3"; }
expect() { if eval "$2"; then pass "$1"; else fail "$1: $(xprop -id "${3:-$list}")"; fi; }
read -r _ _ mwm_flags mwm_functions mwm_decorations _ <<<"$(xprop -id "$list" _MOTIF_WM_HINTS | tr -d ,)"
expect "the list window has no taskbar or pager entry" \
  "has $list _NET_WM_STATE SKIP_TASKBAR && has $list _NET_WM_STATE SKIP_PAGER"
expect "so has a window opened after the policy" "has $later _NET_WM_STATE SKIP_TASKBAR" "$later"
expect "the list window has no frame from the window manager" \
  "(( mwm_flags & 2 && mwm_decorations == 0 )) && has $list _NET_FRAME_EXTENTS '= 0, 0, 0, 0'"
expect "the window manager may not move the list window" \
  "(( mwm_flags & 1 && !(mwm_functions & 5) )) && ! has $list _NET_WM_ALLOWED_ACTIONS MOVE"
expect "the control window keeps its taskbar entry, frame and move" \
  "! has $control _NET_WM_STATE SKIP && ! has $control _NET_FRAME_EXTENTS '= 0, 0, 0, 0' &&
   has $control _NET_WM_ALLOWED_ACTIONS MOVE" "$control"

# It can be the key window, and every Escape reaches it.
xdotool mousemove --sync 300 150 click 1
await "[ \"\$(xdotool getwindowfocus)\" = $list ]" || fail "a click does not focus the list window"
xdotool key Escape
await '[ "$(grep -cx escape "$work/list.log")" = 1 ]'
xdotool key Escape
await '[ "$(grep -cx escape "$work/list.log")" = 2 ]' && pass "Escape reaches the list window each time" ||
  fail "Escape: $(cat "$work/list.log")"

kill -TERM $list_pid $control_pid
for pid in $list_pid $control_pid; do
  await_exit $pid 5
  [ "$code" = 0 ] && pass "a quit request ends the driver" || fail "driver exit $code"
done
finish
