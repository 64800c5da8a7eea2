#!/usr/bin/env bash
# What a person sees, checked on the screen itself: every window where it belongs, on top of the one it
# belongs to, inside the part of the screen that panels leave free, and its texts in full, read back from
# screenshots by OCR. Panels at the top and at the bottom, 0, 1 and 8 rows, a low screen, light and dark. The
# run's screenshots stay in $3 for anyone to look at.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
services=$2
shots=$3
export TZ=UTC
mkdir -p "$shots"
rm -f "$shots"/*.png "$shots"/*.txt
events=$XDG_DATA_HOME/nevalon_events.dat
# 2030-01-02 03:04 and a day apart after it: far off, so that no notice comes.
first=1893553440

# Writes $1 events; the nth is "Event n" in category n (6 at most).
write_events() {
  : >"$events"
  for ((n = 0; n < $1; n++)); do
    echo "Event $n|$((first + n * 86400))|0|0|$((n < 6 ? n : 6))|0|0|0" >>"$events"
  done
}

start() {
  "$nevalon" >>"$work/run.log" 2>&1 &
  pid=$!
  await 'xdotool search --name "^panel$"' || fail "no tray host"
  panel=$(xdotool search --name '^panel$' | head -1)
  await 'tray_icon_line nevalon' || fail "no icon: $(cat "$work/run.log")"
}
stop() {
  kill $pid 2>/dev/null
  await_exit $pid 5
}

# Takes a screenshot of the whole screen into $shots/$1.png.
shoot() { import -window root "$shots/$1.png"; }
# The text OCR reads in the region W x H + X + Y of screenshot $1, on one line: read twice, scaled up in grey
# as one block (light text on dark, such as a title bar) and in black and white as scattered words (text on
# buttons), since neither reads every text.
read_text() {
  local pass
  for pass in "-resize 300%:6" "-resize 400% -threshold 60%:11"; do
    # shellcheck disable=SC2086
    convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray ${pass%:*} "$work/ocr.png"
    tesseract "$work/ocr.png" - --psm "${pass#*:}" 2>/dev/null
  done | tr '\n' ' ' | tr -s ' ' | tee "$shots/$1.$2.txt"
}
# Whether OCR reads every string of $3... in region $2 of screenshot $1.
reads_in_full() {
  local text shot=$1 region=$2
  shift 2
  text=$(read_text "$shot" "$region")
  for wanted; do
    [[ $text == *"$wanted"* ]] || {
      echo "OCR of $shot $region misses \"$wanted\": $text" >&2
      return 1
    }
  done
}
# The mean brightness (0-255) of the region of a screenshot.
brightness() { convert "$shots/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:; }

# The list window opens inside the free part of the screen, hanging from a top panel or resting on a bottom
# one; the editor opens on top of it, with its title bar, inside that part too, and shows its texts in full.
check_list_and_editor() {
  local edge=$1 rows=$2 name=$3
  write_events "$rows"
  start
  press_tray_icon nevalon 1
  await list_shown || fail "$name: no list window"
  local list
  list=$(window_named Nevalon)
  frame_of "$list"
  local listL=$L listT=$T listH=$H
  work_area $((L + W / 2)) $((T + H / 2))
  if inside_work_area "$list" && { { [ "$edge" = top ] && [ "$listT" = "$WT" ]; } ||
    { [ "$edge" = bottom ] && [ $((listT + listH)) = "$WB" ]; }; }; then
    pass "$name: the list window ${listH} high lies in the free part of the screen, at the panel"
  else
    fail "$name: list window at $listL,$listT, height $listH; free part $WL,$WT-$WR,$WB"
  fi
  shoot "list-$name"
  # The editor: Add on an empty list, else the first row's Edit (Add is off with 8 events).
  if [ "$rows" = 0 ]; then click_in "$list" 100 $((listH - 30)); else click_in "$list" 379 40; fi
  await 'window_named "(Add|Edit) Event" | grep -q .' || { fail "$name: no editor"; stop; return; }
  local editor
  editor=$(window_named "(Add|Edit) Event")
  await "stacked_above $editor $list" || true
  if [ "$(transient_for "$editor")" = "$list" ] && stacked_above "$editor" "$list" && inside_work_area "$editor"; then
    pass "$name: the editor belongs to the list window, above it, inside the free part of the screen"
  else
    fail "$name: editor transient for $(transient_for "$editor") (list $list), stacking $(xprop -root _NET_CLIENT_LIST_STACKING), frame $L,$T ${W}x$H"
  fi
  frame_of "$editor"
  local title day
  title=$([ "$rows" = 0 ] && echo "Add Event" || echo "Edit Event")
  # Today's date for Add; the first event's for Edit.
  day=$([ "$rows" = 0 ] && date -u +%Y/%m/%d || echo 2030/01/02)
  # Read off the whole screen: hidden under another window, the editor's texts would not be there. The first
  # paint may come a moment after the window shows.
  if await "shoot editor-$name && reads_in_full editor-$name ${W}x$H+$L+$T '$title' 'Event Title' 'Event Date' \
      'Time (HH:MM)' 'Repeat Countdown' 'Event Category' 'Also create a Calendar Event' Cancel Save" &&
    reads_in_full "editor-$name" "110x25+$((CX + 10))+$((CY + 92))" "$day"; then
    pass "$name: every text of the editor shows on the screen, its title and the date field's $day in full"
  else
    fail "$name: the editor's texts are not all on the screen (see $shots/editor-$name.png)"
  fi
  xdotool key Escape
  await '! window_named "(Add|Edit) Event" | grep -q .' && pass "$name: Escape closes the editor" ||
    fail "$name: Escape left the editor open"
  stop
}

# --- A panel at the top, then one at the bottom, of a 1280 x 800 screen.
start_desktop no-tray
for edge in top bottom; do
  start_tray $edge
  for rows in 0 1 8; do
    check_list_and_editor $edge $rows "$edge-$rows"
  done
  kill $trayer_pid
  wait $trayer_pid 2>/dev/null || true
done

# --- With a row and a panel at the top: the close box cancels, the gear menu's texts show in full, and a
# question about the row opens above the list window, titled Nevalon, with the program's icon.
start_tray top
write_events 1
start
press_tray_icon nevalon 1
await list_shown || fail "no list window"
list=$(window_named Nevalon)
click_in "$list" 379 40
await 'window_named "Edit Event" | grep -q .' || fail "no editor"
editor=$(window_named "Edit Event")
frame_of "$editor"
# The close box is the title bar's last button, at its right end.
xdotool mousemove --sync $((L + W - 10)) $((T + 10)) click 1
await '! window_named "Edit Event" | grep -q .' && pass "the editor's close box closes it" ||
  fail "the close box left the editor open"
grep -q '^Event 0|' "$events" && pass "closing the editor keeps the event as it was" || fail "events: $(cat "$events")"

before=$(xdotool search --onlyvisible --classname '^nevalon$')
frame_of "$list"
click_in "$list" 430 $((H - 30))
await '[ -n "$(new_window "$before")" ]' || fail "no gear menu"
menu=$(new_window "$before")
frame_of "$menu"
if await "shoot gear-menu && reads_in_full gear-menu ${W}x$H+$L+$T 'Sort Countdown Events by Category' \
    'Disable Countdown Notifications' 'Remind with Desktop Notifications' About 'Buy me a Coffee!' 'Learn more about my other Apps' 'Start at Login' Quit"; then
  pass "the gear menu shows every text in full"
else
  fail "the gear menu cuts its texts (see $shots/gear-menu.png)"
fi
xdotool key Escape
await '[ -z "$(new_window "$before")" ]' || fail "the gear menu stays open"

click_in "$list" 428 40
await '[ "$(xdotool search --onlyvisible --name "^Nevalon$" | wc -l)" = 2 ]' || fail "no question"
question=$(xdotool search --onlyvisible --name '^Nevalon$' | grep -vx "$list" | tail -1)
frame_of "$question"
if [ "$(transient_for "$question")" = "$list" ] && stacked_above "$question" "$list" &&
  xprop -id "$question" _NET_WM_ICON | grep -q '= ' &&
  await "shoot question && reads_in_full question ${W}x$H+$L+$T Nevalon 'Confirm Deletion' 'Event 0' Yes No"; then
  pass "the delete question opens above the list window, titled Nevalon, with the program's icon"
else
  fail "the question: transient for $(transient_for "$question"), icon $(xprop -id "$question" _NET_WM_ICON | head -c 60)"
fi
xdotool key Escape
await '[ "$(xdotool search --onlyvisible --name "^Nevalon$" | wc -l)" = 1 ]' || fail "the question stays open"
grep -q '^Event 0|' "$events" && pass "No keeps the event" || fail "No deleted the event"

# The tray menu's Open brings the open list window to the front and never closes it: a click after it, which
# the program takes after it, closes the window (it would open it again had Open closed it).
before=$(xdotool search --onlyvisible --classname '^nevalon$')
press_tray_icon nevalon 3
await '[ -n "$(new_window "$before")" ]' || fail "no tray menu"
xdotool key Down Return
await '[ -z "$(new_window "$before")" ]' || fail "the tray menu stays open"
press_tray_icon nevalon 1
await '! list_shown' && pass "Open Nevalon keeps the list window open" || fail "Open Nevalon closed the list window"
stop

# --- Light and dark, from the desktop portal's colour scheme.
for scheme in light dark; do
  if [ $scheme = dark ]; then
    start_session_bus
    "$services" dark-portal >"$work/portal.log" 2>&1 &
    portal_pid=$!
    await 'grep -qx ready "$work/portal.log"' || fail "no portal: $(cat "$work/portal.log")"
  fi
  start
  press_tray_icon nevalon 1
  await list_shown || fail "$scheme: no list window"
  list=$(window_named Nevalon)
  frame_of "$list"
  await "shoot list-$scheme && reads_in_full list-$scheme ${W}x$H+$L+$T 'Event 0' Anniversary 'Add Countdown Event'" ||
    fail "$scheme: the list's texts do not read"
  light=$(brightness "list-$scheme" "400x20+$((L + 20))+$((T + H - 70))")
  if { [ $scheme = light ] && [ "$light" -gt 180 ]; } || { [ $scheme = dark ] && [ "$light" -lt 80 ]; }; then
    pass "the list window is drawn $scheme (background brightness $light)"
  else
    fail "the $scheme list window's background has brightness $light"
  fi
  stop
done
kill ${portal_pid:-} 2>/dev/null || true
end_desktop

# --- A 1024 x 600 screen: seven rows scroll above the Add and gear buttons, which stay in sight.
screens="-screen 0 1024x600x24" start_desktop
write_events 7
start
press_tray_icon nevalon 1
await list_shown || fail "low screen: no list window"
list=$(window_named Nevalon)
frame_of "$list"
if inside_work_area "$list" &&
  await "shoot list-low-screen && reads_in_full list-low-screen ${W}x$H+$L+$T 'Event 0' 'Add Countdown Event'"; then
  pass "on a low screen the list window fits the free part, the Add button in sight"
else
  fail "low screen: list window $L,$T ${W}x$H, free part $WL,$WT-$WR,$WB"
fi
frame_of "$list"
xdotool mousemove --sync $((CX + 300)) $((CY + 300)) click 5 click 5 click 5 click 5 click 5 click 5
await "shoot list-low-screen-scrolled && reads_in_full list-low-screen-scrolled ${W}x$H+$L+$T 'Event 6' 'Add Countdown Event'" &&
  pass "the wheel scrolls the last row into sight" || fail "the last row cannot be reached"
stop
end_desktop

finish
