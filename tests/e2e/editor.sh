#!/usr/bin/env bash
# A person adds an event through the editor and deletes it again, with the real program in a real tray.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
start_desktop
events=$XDG_DATA_HOME/nevalon_events.dat
"$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)
await 'tray_icon_line nevalon' || fail "no icon"
press_tray_icon nevalon 1
await 'xdotool search --onlyvisible --name "^Nevalon$"' || fail "no list window"

# Clicks at (x, y) of the list window's content.
# A save rebuilds the window, so it may be gone for a moment.
click_list() {
  local geometry
  await 'geometry=$(xdotool search --onlyvisible --name "^Nevalon$" getwindowgeometry --shell | head -5) &&
    [[ $geometry == *X=* ]]' || fail "no list window to click"
  eval "$geometry"
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}

click_list 100 200 # "Add Countdown Event", at the bottom of the empty list (230 high)
await 'xdotool search --onlyvisible --name "^Add Event$"' && pass "Add opens the editor" || fail "no editor"
await '[ "$(xdotool getactivewindow getwindowname)" = "Add Event" ]' || fail "the editor has no keyboard"
xdotool type --delay 20 "Dentist"
# Return saves; the event is today at midnight, already passed, so its notice follows (Return again).
return_until 'grep -q "^Dentist|.*|1|0|0$" "$events" 2>/dev/null' &&
  pass "the editor saves the typed event with the defaults" || fail "save: $(cat "$events" 2>&1)"
await '! xdotool search --onlyvisible --name "^Add Event$"' || fail "the editor stays open"

# The list window, rebuilt by the save, with its one row.
await '[ "$(xdotool search --onlyvisible --name "^Nevalon$" getwindowgeometry | grep -c "Geometry: 460x260")" = 1 ]' ||
  fail "no list window with the new row"
click_list 428 30 # the first row's trash button
# The question's default answer is Yes.
return_until '[ ! -s "$events" ]' && pass "the trash button deletes the event after asking" ||
  fail "delete: $(cat "$events")"
kill $pid
finish
