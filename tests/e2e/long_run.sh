#!/usr/bin/env bash
# A day in a short while: fifty openings and closings of the list window (a click on the tray icon, then
# Escape) and fifty minutes that rebuild the open window leave the program with the X windows it had after
# the first, no more descriptors or threads, and about the memory it had.
# Usage: long_run.sh PROGRAM, the program with the minute seam (SIGUSR1 fires its minute).
program=$1
sanitized=$(ldd "$program" | grep -o libasan || true)
source "$(dirname "$0")/desktop.sh"

now=$(date +%s)
for i in 0 1 2 3 4 5 6 7; do
  echo "Event number $((i + 1))|$((now + 86400 * (10 * i + 3) + 14400))|0|0|$((i % 7))|0|0|0"
done >"$XDG_DATA_HOME/nevalon_events.dat"

start_desktop
await 'xdotool search --name "^panel$"' || { echo "no tray host" >&2; exit 1; }
panel=$(xdotool search --name '^panel$' | head -1)
# Named as the program is, so that the tray and the desktop see it as they see the program.
(exec -a nevalon "$program") >"$work/program.log" 2>&1 &
pid=$!
await 'tray_icon_line nevalon' || { echo "no tray icon: $(cat "$work/program.log")" >&2; exit 1; }

# The program's X windows (those that carry its process id, hidden ones included), descriptors, threads
# and resident kilobytes. A search fails now and then when a window goes away while it looks.
x_windows() { xdotool search --pid "$pid" 2>/dev/null | wc -l; }
descriptors() { ls /proc/"$pid"/fd | wc -l; }
threads() { ls /proc/"$pid"/task | wc -l; }
resident_kb() { awk '/VmRSS/ { print $2 }' /proc/"$pid"/status; }
list_id() { xdotool search --onlyvisible --name '^Nevalon$' 2>/dev/null | head -1 || true; }
# List windows, shown or hidden: a closed one goes at the program's next turn, a moment after it is hidden.
list_windows() { xwininfo -root -tree | grep -c '"Nevalon"' || true; }
settle() { await "[ \"\$(list_windows)\" -eq $1 ]" || fail "$2: $(list_windows) list windows, not $1"; }

# Clicks alternate between two spots of the icon, so that two quick clicks never make a double click.
clicks=0
open_and_close() {
  local x y
  IFS=+ read -r _ x y <<<"$(tray_icon_line nevalon | awk '{ print $NF }')"
  clicks=$((clicks + 1))
  xdotool mousemove --sync $((x + (clicks % 2 ? 4 : 16))) $((y + 8)) click 1
  await list_shown && await '[ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = Nevalon ]' || return 1
  # Once more if a loaded machine lost the key: what counts here is what the closings leave behind.
  xdotool key Escape
  await '! list_shown' || { xdotool key Escape && await '! list_shown'; }
}

# Fires the minute and waits until the list window is a new one.
refresh() {
  local before
  before=$(list_id)
  kill -USR1 "$pid"
  await '[ -n "$(list_id)" ] && [ "$(list_id)" != "$before" ]'
}

# Checks the counts now against those of $2 ("windows descriptors threads kilobytes") after $1.
compare() {
  local windows descriptors threads kilobytes
  read -r windows descriptors threads kilobytes <<<"$2"
  [ "$(x_windows)" -eq "$windows" ] && pass "$1: $windows X windows still" ||
    fail "$1: $(x_windows) X windows, $windows after the first"
  [ "$(descriptors)" -le "$descriptors" ] && [ "$(threads)" -le "$threads" ] &&
    pass "$1: no more descriptors or threads" ||
    fail "$1: $(descriptors) descriptors and $(threads) threads, $descriptors and $threads after the first"
  local grown=$(($(resident_kb) - kilobytes))
  # A leaked list window alone takes 1.5 MB of memory shared with the X server. The address sanitizer keeps
  # what is freed for a while, so a sanitized build is not weighed.
  if [ -n "$sanitized" ]; then
    echo "$1: resident memory grew by $grown kB (sanitized build, not weighed)"
  else
    [ "$grown" -lt 8192 ] && pass "$1: resident memory grew by $grown kB" ||
      fail "$1: resident memory grew by $grown kB"
  fi
}
counts() { echo "$(x_windows) $(descriptors) $(threads) $(resident_kb)"; }

# The first click after start is now and then not taken (seen under load): the list window is then not
# there, and one more opening is tried; a list window that opened without the keyboard is closed with Escape.
first_opening() {
  open_and_close && return
  if list_shown; then xdotool key Escape; await '! list_shown'; else open_and_close; fi
}
first_opening || { fail "the list window does not open and close"; finish; exit; }
settle 0 "after the first closing"
first=$(counts)
for i in $(seq 50); do
  open_and_close || { fail "open and close $i"; break; }
done
settle 0 "after 50 closings"
compare "50 openings and closings" "$first"

IFS=+ read -r _ x y <<<"$(tray_icon_line nevalon | awk '{ print $NF }')"
xdotool mousemove --sync $((x + 4)) $((y + 8)) click 1
await list_shown || fail "the list window does not open"
refresh || fail "the minute does not rebuild the list window"
settle 1 "after the first minute"
first=$(counts)
for i in $(seq 50); do
  refresh || { fail "minute $i"; break; }
done
settle 1 "after 50 minutes"
compare "50 minutes with the list window open" "$first"

kill -TERM "$pid"
await_exit "$pid"
[ "$code" = 0 ] && pass "ends with 0 after the run" || fail "ended with $code"
finish
