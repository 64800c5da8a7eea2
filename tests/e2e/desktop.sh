# Sourced by the end-to-end tests: a private X display with a window manager and a tray host, and a
# private home.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; failed=$((failed + 1)); }
pass() { echo "ok: $*"; passed=$((passed + 1)); }
passed=0
failed=0

work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS

# Starts the display and the window manager, and a tray host along the top unless $1 is "no-tray".
start_desktop() {
  # Xvfb picks a free display itself, so that tests running at once never share one.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  await 'test -s "$work/display"' || { echo "cannot start Xvfb: $(cat "$work/xvfb.log")" >&2; exit 1; }
  export DISPLAY=:$(cat "$work/display")
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  openbox_pid=$!
  await 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "no window manager: $(cat "$work/openbox.log")" >&2; exit 1; }
  [ "${1:-}" = no-tray ] || start_tray top
}

# Starts a tray host (trayer) along edge $1 of the screen, a panel that reserves its edge; sets trayer_pid.
start_tray() {
  trayer --edge "$1" --align right --widthtype request --height 24 --SetPartialStrut true >>"$work/trayer.log" 2>&1 &
  trayer_pid=$!
}

# A private session bus, on which the accessibility bus starts when a program or a reader asks for it.
start_session_bus() {
  dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/bus.log" 2>&1 &
  bus_pid=$!
  await 'test -s "$work/bus"' || { echo "cannot start a session bus: $(cat "$work/bus.log")" >&2; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
}

stop_desktop() {
  kill ${trayer_pid:-} ${openbox_pid:-} ${bus_pid:-} ${xvfb_pid:-} 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
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

# Reads the program over AT-SPI (see atspi.py); needs start_session_bus before the program starts.
atspi() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi.py" "$@"; }
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

# Waits up to 5 seconds for the shell command $1 to succeed.
await() {
  for _ in $(seq 50); do
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

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
