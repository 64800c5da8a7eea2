# Sourced by the end-to-end tests: a private X display with a window manager and a tray host, and a
# private home.
set -euo pipefail

# A failure keeps a screenshot of the moment for anyone to look at, in $E2E_SHOTS when that is set.
fail() {
  echo "FAIL: $*" >&2
  failed=$((failed + 1))
  if [ -n "${E2E_SHOTS:-}" ] && [ -n "${DISPLAY:-}" ]; then
    mkdir -p "$E2E_SHOTS" && import -window root "$E2E_SHOTS/$(basename "$0" .sh)-failure-$failed.png" 2>/dev/null || true
  fi
}
pass() { echo "ok: $*"; passed=$((passed + 1)); }
passed=0
failed=0

work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
# A command prefix that runs the program, its session bus and the screen reader as another user (see
# run_as_another_user); none runs them as this one.
as_user=()

# Starts the display and the window manager, and a tray host along the top unless $1 is "no-tray". The
# screens are Xvfb's arguments in $screens (one 1280 x 800 screen by default).
start_desktop() {
  # Xvfb picks a free display itself, so that tests running at once never share one.
  rm -f "$work/display"
  # shellcheck disable=SC2086
  Xvfb -displayfd 3 ${screens:--screen 0 1280x800x24} -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  await 'test -s "$work/display"' || { echo "cannot start Xvfb: $(cat "$work/xvfb.log")" >&2; exit 1; }
  export DISPLAY=:$(cat "$work/display")
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  openbox_pid=$!
  await 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "no window manager: $(cat "$work/openbox.log")" >&2; exit 1; }
  [ "${1:-}" = no-tray ] || start_tray top
}

# Starts a tray host (trayer) along edge $1 of screen $2 (0 by default), a dock that reserves its edge; sets
# trayer_pid.
start_tray() {
  trayer --edge "$1" --monitor "${2:-0}" --align right --widthtype request --height 24 --SetDockType true \
    --SetPartialStrut true >>"$work/trayer.log" 2>&1 &
  trayer_pid=$!
}

# A private session bus, on which the accessibility bus starts when a program or a reader asks for it.
start_session_bus() {
  "${as_user[@]}" dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/bus.log" 2>&1 &
  bus_pid=$!
  await 'test -s "$work/bus"' || { echo "cannot start a session bus: $(cat "$work/bus.log")" >&2; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
}

stop_desktop() {
  kill ${trayer_pid:-} ${openbox_pid:-} ${bus_pid:-} ${xvfb_pid:-} 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
  [ -z "${other_user:-}" ] || userdel --force "$other_user" 2>/dev/null || true
}

# Ends the display and everything on it, so that a test can start another desktop.
end_desktop() {
  kill ${trayer_pid:-} ${openbox_pid:-} ${xvfb_pid:-} 2>/dev/null || true
  wait ${trayer_pid:-} ${openbox_pid:-} ${xvfb_pid:-} 2>/dev/null || true
  trayer_pid='' openbox_pid='' xvfb_pid=''
}
trap stop_desktop EXIT

# The line of the tray host's window tree that holds the icon of program $1.
tray_icon_line() { xwininfo -id "$panel" -tree | grep "\"$1\""; }

# Presses button $2 on program $1's tray icon, whose absolute position ends its line: +x+y.
press_tray_icon() {
  IFS=+ read -r _ x y <<<"$(tray_icon_line "$1" | awk '{ print $NF }')"
  # Away first: a move with --sync to where the pointer already is waits for a move that never comes.
  xdotool mousemove --sync 600 400 mousemove --sync $((x + 8)) $((y + 8)) click "$2"
}

# Chooses the last entry (Quit) of program $1's tray menu and waits for process $2 to end; sets `code`.
quit_from_tray_menu() {
  press_tray_icon "$1" 3
  # Up from no entry chooses the last one; the menu may take a moment to open.
  for _ in 1 2 3 4 5; do
    sleep 0.3
    xdotool key Up Return
    await_exit "$2" 1
    [ "$code" = running ] || break
  done
}

list_shown() { xdotool search --onlyvisible --name '^Nevalon$' >/dev/null; }


# --- Where windows are, as the window manager has them.
# The showing window named exactly $1 (the last one when several are).
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1; }
# Sets L T W H: the window's frame on the screen, with what the window manager draws around it; CX CY: the
# top-left corner of its content.
frame_of() {
  local extents fl fr ft fb
  eval "$(xwininfo -id "$1" | awk -F: '/Absolute upper-left X/ {print "CX=" $2} /Absolute upper-left Y/ {print "CY=" $2}
    /^ *Width/ {print "W=" $2} /^ *Height/ {print "H=" $2}' | tr -d ' ')"
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | grep -o '[0-9, ]*$' | tr -d ' ')
  IFS=, read -r fl fr ft fb <<<"${extents:-0,0,0,0}"
  L=$((CX - fl)) T=$((CY - ft)) W=$((W + fl + fr)) H=$((H + ft + fb))
}
# Sets WL WT WR WB: the free part of the screen under the point ($1, $2), as Qt reads the window manager.
work_area() {
  eval "$(xprop -root _NET_WORKAREA | grep -o '[0-9, ]*$' | tr -d ' ' |
    awk -F, '{print "WL=" $1 "; WT=" $2 "; WR=" $1 + $3 "; WB=" $2 + $4}')"
  # Several screens share one work area: each screen's free part is where it meets its own rectangle.
  local screen
  while read -r screen; do
    IFS='x+' read -r sw sh sx sy <<<"$screen"
    if [ "$1" -ge "$sx" ] && [ "$1" -lt $((sx + sw)) ] && [ "$2" -ge "$sy" ] && [ "$2" -lt $((sy + sh)) ]; then
      WL=$((WL > sx ? WL : sx)) WT=$((WT > sy ? WT : sy))
      WR=$((WR < sx + sw ? WR : sx + sw)) WB=$((WB < sy + sh ? WB : sy + sh))
    fi
  done < <(xdpyinfo -ext XINERAMA | sed -n 's/^ *head #[0-9]*: \([0-9]*x[0-9]*\) @ \([0-9]*\),\([0-9]*\)$/\1+\2+\3/p')
}
# Whether window $1's frame lies wholly inside the free part of its screen.
inside_work_area() {
  frame_of "$1"
  work_area $((L + W / 2)) $((T + H / 2))
  [ "$L" -ge "$WL" ] && [ "$T" -ge "$WT" ] && [ $((L + W)) -le "$WR" ] && [ $((T + H)) -le "$WB" ]
}
# Whether window $1 is stacked above window $2 (the window manager's stacking order, bottom first).
stacked_above() {
  local order
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | while read -r w; do printf '%d\n' "$w"; done)
  local upper lower
  upper=$(grep -nx "$1" <<<"$order" | cut -d: -f1) lower=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -gt "$lower" ]
}
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*$' | xargs printf '%d\n' 2>/dev/null; }
# Clicks at ($2, $3) of window $1's content.
click_in() {
  frame_of "$1"
  xdotool mousemove --sync $((CX + $2)) $((CY + $3)) click 1
}
# The program's window that shows now and did not in the list $1.
new_window() { comm -13 <(sort <<<"$1") <(xdotool search --onlyvisible --classname '^nevalon$' | sort) | tail -1; }
# Starts xev on the root window's property changes (and the client messages sent with them) into file $1,
# and waits until it listens; sets xev_pid.
watch_root() {
  xev -root -event property >"$1" 2>&1 &
  xev_pid=$!
  await "xprop -root -f _E2E_PING 8s -set _E2E_PING \$RANDOM && grep -q _E2E_PING '$1'"
}

# Reads the program over AT-SPI (see atspi.py); needs start_session_bus before the program starts.
atspi_script=$(dirname "${BASH_SOURCE[0]}")/atspi.py
atspi() { "${as_user[@]}" /usr/bin/python3 "$atspi_script" "$@"; }
# The same in the background, its output in file $1, as a process of its own that `kill` ends; sets atspi_pid.
atspi_background() {
  local out=$1
  shift
  # Emptied first: what an earlier reader wrote there must not pass for this one's.
  : >"$out"
  "${as_user[@]}" /usr/bin/python3 "$atspi_script" "$@" >"$out" &
  atspi_pid=$!
}
# Clicks the showing object named $1 where a screen reader says it is.
click_named() {
  local at
  at=$(atspi where "$1") || return 1
  xdotool mousemove --sync $at click 1
}

# Presses Return until the shell command $1 holds (a notice or question may be up meanwhile).
return_until() {
  for _ in $(seq 30); do
    eval "$1" && return 0
    sleep 0.3
    xdotool key Return
  done
  return 1
}

# Waits up to $2 seconds (5 unless given) for the shell command $1 to succeed.
await() {
  for _ in $(seq $(( ${2:-5} * 10 ))); do
    eval "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for process $1 to end; sets `code` to its exit code, or "running".
await_exit() {
  local pid=$1 limit=$(( ${2:-5} * 10 ))
  code=running
  for _ in $(seq $limit); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && code=0 || code=$?
      return
    fi
    sleep 0.1
  done
}

# File permissions do not bind root: as root, makes a throw-away user that owns the private home and from
# then on runs the program (through as_user), removed again at the end. Returns 1 where no user can be made.
run_as_another_user() {
  [ "$(id -u)" = 0 ] || return 0
  local name=nevalon-e2e-$$
  useradd --system --no-create-home --user-group --shell /usr/sbin/nologin "$name" >"$work/useradd.log" 2>&1 ||
    return 1
  other_user=$name
  chmod 755 "$work"
  chown -R "$name:$name" "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  as_user=(setpriv --reuid="$name" --regid="$name" --clear-groups --)
  # The build and source folders may be closed to that user: it gets copies of what it reads.
  mkdir -p "$work/bin"
  cp "$atspi_script" "$work/bin/atspi.py"
  atspi_script=$work/bin/atspi.py
  if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) ]]; then
    cp "${BASH_REMATCH[1]}" "$work/bin/lsan.supp"
    LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[1]}"/$work/bin/lsan.supp}
  fi
}

# The path at which the other user (if any) can run program $1: a copy of it, or $1 itself.
runnable_path() {
  if [ ${#as_user[@]} -eq 0 ]; then echo "$1"; else cp "$1" "$work/bin/" && echo "$work/bin/$(basename "$1")"; fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
