#!/usr/bin/env bash
# A person's events outlast what a desktop can do to them, checked with the real program as a screen reader
# reads it: a title pasted with a line break, notes kept where the events file is, a folder and a disk that
# take nothing, an autostart folder that cannot be written. As root the program runs as a throw-away user,
# since file permissions do not bind root; the full disk is a small tmpfs, which only root can mount.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
export TZ=UTC QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
events=$XDG_DATA_HOME/nevalon_events.dat
settings=$XDG_CONFIG_HOME/com.brask.Nevalon.conf
entry=$XDG_CONFIG_HOME/autostart/com.brask.Nevalon.desktop

cleanup() {
  kill ${pid:-} ${clip_pid:-} 2>/dev/null || true
  wait ${pid:-} 2>/dev/null || true
  [ -z "${full:-}" ] || umount "$full" 2>/dev/null || true
  stop_desktop
}
trap cleanup EXIT

mkdir -p "$XDG_CONFIG_HOME/autostart"
wedding=$(date -d "$(($(date +%Y) + 1))-06-20 15:00" +%s)
printf 'Things to remember:\nbuy stamps\nWedding|%s|0|0|0|0|0|0\n' "$wedding" >"$events"
cp "$events" "$work/notes"
run_as_another_user || { echo "SKIP: no user to run as: $(cat "$work/useradd.log")"; exit 77; }
nevalon=$(runnable_path "$nevalon")
start_desktop
start_session_bus
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)

start() {
  "${as_user[@]}" "$nevalon" >>"$work/run.log" 2>&1 &
  pid=$!
  await 'tray_icon_line nevalon' || fail "no icon: $(cat "$work/run.log")"
  press_tray_icon nevalon 1
  await list_shown || fail "no list window"
}
# Whether a showing object reads as the pattern $1 (role, name, description, states; tab-separated).
reads() { atspi dump >"$work/screen" 2>/dev/null && grep -qP "$1" "$work/screen"; }
# Waits for a message that reads as $1, then closes it with Return; false when none came.
answer() {
  await "reads \"^label\\t$1\"" || return 1
  xdotool key Return
  await "! reads \"^label\\t$1\""
}
# Adds an event titled $1 with the editor's defaults (today at midnight: passed, so its notice follows).
# The title is typed, or pasted when $1 is "paste".
add_event() {
  click_named "Add Countdown Event" || fail "no Add button"
  await 'reads "^[^\t]+\tEvent Title\t.*focused"' || fail "the editor's title field has no keyboard"
  if [ "$1" = paste ]; then xdotool key ctrl+v; else xdotool type --delay 20 "$1"; fi
  xdotool key Return
}
# Closes the reached notice of the event just added.
reached() { answer "A Countdown Event was reached!" || fail "no reached notice: $(cat "$work/screen")"; }
cannot_save() { echo "Nevalon could not save your events to \\Q$events\\E: $1\\."; }

# Notes where the events file is, and a pasted title with a line break.
start
reads "^label\tWedding\t" || fail "the event among the notes is not listed: $(cat "$work/screen")"
printf 'Mum birthday\nParty' | xclip -quiet -selection clipboard >/dev/null 2>&1 &
clip_pid=$!
add_event paste
# The message's line break reads as the two characters "\n".
answer "The events file held lines that are not events. Before saving, Nevalon kept the whole file as..\\Q$XDG_DATA_HOME/nevalon_events.dat.\\E[0-9-]+\\.bak" &&
  pass "the first save says where it kept the notes" || fail "no word of the copy: $(cat "$work/screen")"
reached
kill $clip_pid
copies=("$XDG_DATA_HOME"/nevalon_events.dat.*.bak)
midnight=$(date -d "$(date +%F) 00:00" +%s)
today() { echo "$1|$midnight|0|0|5|1|0|0"; }
# Whether the events file holds the records of today's events titled $@ and no other, in any order.
holds_today() { [ "$(sort "$events")" = "$(for title in "$@"; do today "$title"; done | sort)" ]; }
if [ ${#copies[@]} = 1 ] && cmp -s "${copies[0]}" "$work/notes" &&
  [ "$(cat "$events")" = "Wedding|$wedding|0|0|0|0|0|0"$'\n'"$(today "Mum birthday Party")" ]; then
  pass "the notes file is replaced only once copied whole, and a pasted line break is stored as a space"
else
  fail "copies ${copies[*]}; events file: $(cat "$events")"
fi
cp "$events" "$work/saved"

# A folder that takes nothing: Save and delete say why and keep the change in the list.
chmod 555 "$XDG_DATA_HOME"
add_event Trip
answer "$(cannot_save "Permission denied")" && pass "a Save that cannot be written says why" ||
  fail "no word of the failed save: $(cat "$work/screen")"
reached
click_named Delete || fail "no Delete button" # the first row: Wedding, an anniversary
answer "Are you sure you want to delete 'Wedding'" || fail "no question"
answer "$(cannot_save "Permission denied")" && pass "a delete that cannot be written says why" ||
  fail "no word of the failed delete: $(cat "$work/screen")"
if reads "^label\tTrip\t" && ! reads "^label\tWedding\t" && cmp -s "$events" "$work/saved"; then
  pass "the list keeps the unsaved event and leaves the deleted one out; the file is untouched"
else
  fail "after the failed saves: $(cut -f1,2 "$work/screen" | tr '\n' ';') file: $(cat "$events")"
fi
chmod 755 "$XDG_DATA_HOME"
add_event Dentist
reached
holds_today "Mum birthday Party" Dentist Trip && pass "the next save that works writes every change" ||
  fail "after saving works again: $(cat "$events")"

# An autostart folder that cannot be written: Start at Login says why and stays off.
chmod 555 "$XDG_CONFIG_HOME/autostart"
# Start at Login is the gear menu's seventh item; then a reader hears the menu as Down walks to it again.
before=$(xdotool search --onlyvisible --classname '^nevalon$')
click_named Settings || fail "no Settings button"
await '[ -n "$(new_window "$before")" ]' || fail "no gear menu"
xdotool key Down Down Down Down Down Down Down Return
answer "Start at Login could not be switched on: \\Q$entry\\E could not be written \\(Permission denied\\)" &&
  pass "Start at Login says why it cannot be switched on" || fail "no word: $(cat "$work/screen")"
click_named Settings || fail "no Settings button"
atspi focus 4 >"$work/menu" &
await 'grep -q listening "$work/menu"'
xdotool key Down Down Down Down Down Down Down
wait $!
xdotool key Escape
if grep -qP "^menu item\tStart at Login\t\tfocused" "$work/menu" && [ ! -e "$entry" ] &&
  grep -q '^Login=0' "$settings"; then
  pass "its check mark and setting stay off"
else
  fail "menu: $(cat "$work/menu"); entry: $(ls "$entry" 2>&1); settings: $(cat "$settings")"
fi
chmod 755 "$XDG_CONFIG_HOME/autostart"
kill $pid
await_exit $pid 5

# A full disk, where root can make one: a small tmpfs filled up.
full=$work/full
mkdir "$full"
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k,mode=700 tmpfs "$full" 2>"$work/mount.log"; then
  cp "$events" "$full/"
  chown -R "$other_user:$other_user" "$full"
  export XDG_DATA_HOME=$full
  events=$full/nevalon_events.dat
  cp "$events" "$work/saved"
  start
  dd if=/dev/zero of="$full/filler" bs=4096 >/dev/null 2>&1 || true
  add_event Exam
  answer "$(cannot_save "No space left on device")" && pass "a Save on a full disk says why" ||
    fail "no word of the full disk: $(cat "$work/screen")"
  reached
  click_named Delete || fail "no Delete button" # the first row: Dentist
  answer "Are you sure you want to delete 'Dentist'" || fail "no question"
  answer "$(cannot_save "No space left on device")" && pass "a delete on a full disk says why" ||
    fail "no word of the failed delete: $(cat "$work/screen")"
  reads "^label\tExam\t" && ! reads "^label\tDentist\t" && cmp -s "$events" "$work/saved" &&
    pass "on a full disk too the list keeps the changes and the file is untouched" ||
    fail "on a full disk: $(cut -f1,2 "$work/screen" | tr '\n' ';') file: $(cat "$events")"
  rm "$full/filler"
  add_event Flight
  reached
  holds_today Exam Flight "Mum birthday Party" Trip && pass "once the disk has room, the next save writes every change" ||
    fail "after the disk has room: $(cat "$events")"
else
  echo "SKIP: no full disk without root and tmpfs: $(cat "$work/mount.log" 2>/dev/null)"
fi
finish
