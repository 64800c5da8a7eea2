#!/usr/bin/env bash
# A person's first days with Nevalon, checked as they see it and as a screen reader reads it: the first
# run, an event added by typing, a recurring event that rolls forward, and settings kept across a restart.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
export TZ=UTC QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_desktop
start_session_bus
events=$XDG_DATA_HOME/nevalon_events.dat
settings=$XDG_CONFIG_HOME/com.brask.Nevalon.conf

start() {
  "$nevalon" >>"$work/run.log" 2>&1 &
  pid=$!
  await 'tray_icon_line nevalon' || fail "no icon: $(cat "$work/run.log")"
}
# What a reader hears while key $2 walks the window, $1 presses (see atspi.py focus), in file $3: each press
# waits for the focus it moves.
walk_reads() {
  atspi_background "$3" focus 60
  local listener=$atspi_pid heard
  await "grep -q listening '$3'"
  for _ in $(seq "$1"); do
    heard=$(wc -l <"$3")
    xdotool key "$2"
    await "[ \$(wc -l <'$3') -gt $heard ]" || fail "$2 moved the focus nowhere"
  done
  kill $listener
  wait $listener 2>/dev/null || true
}
tab_reads() { walk_reads "$1" Tab "$work/focus"; }
# Reads the showing objects; a line is role, name, description and states, tab-separated.
reads() { atspi dump >"$work/screen" && grep -qP "$1" "$work/screen"; }
quit() {
  quit_from_tray_menu nevalon $pid
  [ "$code" = 0 ] && pass "the tray menu's Quit ends it with exit code 0" || fail "Quit: exit $code"
  if [ "$code" = running ]; then kill -9 $pid; fi
}

await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)

# First run: no events, no settings.
start
press_tray_icon nevalon 1
await list_shown || fail "no list window"
eval "$(xdotool getmouselocation --shell)"
pointer_x=$X
eval "$(xdotool search --onlyvisible --name '^Nevalon$' getwindowgeometry --shell | head -5)"
# Under the pointer, just below the 24-pixel panel at the top of the screen.
if [ "$X" -le "$pointer_x" ] && [ "$((X + WIDTH))" -ge "$pointer_x" ] && [ "$Y" -ge 24 ] && [ "$Y" -le 60 ] &&
  [ "$WIDTH" = 460 ] && [ "$HEIGHT" = 230 ]; then
  pass "the empty list window opens under the pointer, below the panel"
else
  fail "list window at $X,$Y ${WIDTH}x$HEIGHT, pointer at x $pointer_x"
fi
if reads "^label\tNo events exist. Click 'Add Countdown Event' to create one.\t" &&
  reads "^push button\tAdd Countdown Event\t.*\tfocused" && reads "^push button\tSettings\t"; then
  pass "a screen reader reads the empty list and its buttons, the Add button focused"
else
  fail "the empty list reads: $(cat "$work/screen")"
fi

# The focused Add button opens the editor; the typed title and Return save the event at today's midnight,
# already passed, so its notice follows.
xdotool key space
await '[ "$(xdotool getactivewindow getwindowname)" = "Add Event" ]' || fail "no editor with the keyboard"
names=("Event Title" "Event Date" "Calendar" "Time (HH:MM)" "AM" "Repeat Countdown" "Event Category"
  "Also create a Calendar Event" "Cancel" "Save")
tab_reads ${#names[@]}
# A combo box is heard by its item and the label it is labelled by.
atspi labels >"$work/labels"
missing=$(for name in "${names[@]}"; do grep -qP "^[^\t]+\t\Q$name\E\t.*focused" "$work/focus" ||
  grep -qP "^combo box\t.*\t\Q$name\E$" "$work/labels" || echo "$name"; done)
[ -z "$missing" ] && pass "Tab reaches every control of the editor, and a reader hears each one's name" ||
  fail "not reached or unnamed: $missing; heard: $(cat "$work/focus")"
click_named "Event Title"
xdotool type --delay 20 "Trip to Oslo"
midnight=$(date -d "$(date +%F) 00:00" +%s)
return_until '[ "$(cat "$events" 2>/dev/null)" = "Trip to Oslo|$midnight|0|0|5|1|0|0" ]' &&
  pass "the typed event is on disk with its notice recorded" || fail "data file: $(cat "$events" 2>&1)"
await '[ "$(xdotool getactivewindow getwindowname)" = Nevalon ]' || fail "the rebuilt list window has no keyboard"
xdotool key Escape
await '! list_shown' && pass "Escape closes the list window" || fail "Escape left it open"
# The desktop's double-click time must pass (not a condition to wait for): two presses in it are one double click.
sleep 0.6
press_tray_icon nevalon 1
await list_shown || fail "a second click does not reopen it"
if reads "^label\tTrip to Oslo\tEvent Date: $(date +%F) at 12:00 AM\\\\nRecurrence: None\t" &&
  reads "^label\tThis event has passed!\t" && reads "^frame\tOther\t" && reads "^push button\tEdit\t" &&
  reads "^push button\tDelete\t"; then
  pass "the reopened list reads the event's row: title, date, countdown, category, Edit and Delete"
else
  fail "the row reads: $(cat "$work/screen")"
fi
tab_reads 4
if [ "$(cut -f1,2 "$work/focus" | tail -n +2 | sort | tr '\t\n' ':;')" = \
  "push button:Add Countdown Event;push button:Delete;push button:Edit;push button:Settings;" ]; then
  pass "Tab reaches every button of the list window"
else
  fail "Tab in the list reaches: $(cat "$work/focus")"
fi

# Opens the gear menu and waits for it; sets `shown` to the windows that showed before.
open_gear_menu() {
  shown=$(xdotool search --onlyvisible --classname '^nevalon$')
  click_named Settings || fail "no Settings button"
  await '[ -n "$(new_window "$shown")" ]' || fail "no gear menu"
}
# The gear menu, as a reader hears it while the Down key walks it: $1 presses, then Escape.
menu_reads() {
  open_gear_menu
  walk_reads "$1" Down "$work/menu"
}
# Chooses the $1th item of the gear menu with the keyboard; waits for the menu to close and the settings to
# change.
choose_setting() {
  list_shown || { press_tray_icon nevalon 1 && await list_shown; }
  local before
  before=$(cat "$settings" 2>/dev/null)
  open_gear_menu
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  await '[ -z "$(new_window "$shown")" ] && [ "$(cat "$settings" 2>/dev/null)" != "$before" ]' ||
    fail "choosing the gear menu's item $1 changed nothing"
}
menu_reads 2
xdotool key Escape
if grep -qP "^menu item\tSort Countdown Events by Category\t\tchecked,focused" "$work/menu" &&
  grep -qP "^menu item\tDisable Countdown Notifications\t\tfocused" "$work/menu"; then
  pass "a reader hears the gear menu's items and their check marks: sorting on, notices on"
else
  fail "the gear menu reads: $(cat "$work/menu")"
fi
choose_setting 1
choose_setting 2
grep -q '^Sort=0' "$settings" && grep -q '^Alarms=1' "$settings" &&
  pass "the gear menu's toggles are written at once" || fail "settings: $(cat "$settings" 2>&1)"
quit

# Across a restart: the toggles stay, and a passed yearly event gets its notice and rolls forward on disk.
long_ago=$(date -d "2020-03-10 18:30" +%s)
next=$(date -d "$(($(date +%Y) + 1))-03-10 18:30" +%s)
[ "$(date -d "$(date +%Y)-03-10 18:30" +%s)" -gt "$(date +%s)" ] && next=$(date -d "$(date +%Y)-03-10 18:30" +%s)
echo "Wedding day|$long_ago|0|6|0|0|0|0" >"$events"
start
press_tray_icon nevalon 1
await 'reads "^label\tA Countdown Event was reached!"' &&
  pass "a passed yearly event's notice is read out" || fail "no notice: $(cat "$work/screen")"
return_until '[ "$(cat "$events")" = "Wedding day|$next|0|6|0|0|0|0" ]' &&
  pass "the yearly event rolls forward to its next date on disk" || fail "rolled: $(cat "$events")"
await list_shown || fail "no list window after the restart"
menu_reads 2
if grep -qP "^menu item\tSort Countdown Events by Category\t\tfocused" "$work/menu" &&
  grep -qP "^menu item\tDisable Countdown Notifications\t\tchecked,focused" "$work/menu"; then
  pass "both toggles keep their state across a restart"
else
  fail "the gear menu after a restart reads: $(cat "$work/menu")"
fi
xdotool key Escape
quit
finish
