#!/usr/bin/env bash
# The Debian package installs on this machine with its dependencies, and the installed program starts in
# the tray and writes an autostart entry that points at itself. Needs root: it installs and then purges.
source "$(dirname "$0")/desktop.sh"
build=$1
[ "$(id -u)" = 0 ] || { echo "not root: the package is not installed"; exit 77; }
if dpkg-query -W -f='${Status}' nevalon 2>/dev/null | grep -q 'install ok installed'; then
  echo "a nevalon package is installed already: left alone"
  exit 77
fi
trap 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -q nevalon >/dev/null 2>&1; stop_desktop' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/package/nevalon_*.deb)
if DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1; then
  pass "the package installs with its dependencies"
else
  apt-get update -q >/dev/null 2>&1 # a fresh machine may not know the dependencies' versions yet
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1 &&
    pass "the package installs with its dependencies" || { fail "install: $(cat "$work/apt.log")"; finish; }
fi
desktop-file-validate /usr/share/applications/com.brask.Nevalon.desktop &&
  [ -f /usr/share/icons/hicolor/scalable/apps/nevalon.svg ] && [ -f /usr/share/icons/hicolor/48x48/apps/nevalon.png ] &&
  pass "its desktop entry is valid and its icons are in place" || fail "desktop entry or icons missing"
MANWIDTH=80 man -P cat nevalon 2>&1 | grep -q "nevalon - tray countdown to your dated events" &&
  pass "man nevalon shows its manual page" || fail "man nevalon: $(man -P cat nevalon 2>&1 | head -3)"
[ "$(nevalon --version)" = "nevalon $(dpkg-query -W -f='${Version}' nevalon)" ] &&
  pass "the installed program is the package's version" || fail "version: $(nevalon --version)"

start_desktop
start_session_bus
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)
nevalon >"$work/run.log" 2>&1 &
pid=$!
await 'tray_icon_line nevalon' && pass "the installed program shows its tray icon" ||
  fail "no icon: $(cat "$work/run.log")"
press_tray_icon nevalon 1
await list_shown || fail "no list window"
before=$(xdotool search --onlyvisible --classname '^nevalon$')
click_named Settings || fail "no Settings button"
await '[ -n "$(new_window "$before")" ]' || fail "no gear menu"
xdotool key Up Up Return # the item above Quit: Start at Login
entry=$XDG_CONFIG_HOME/autostart/com.brask.Nevalon.desktop
await 'grep -q "^Exec=/usr/bin/nevalon$" "$entry"' && pass "Start at Login points the autostart entry at /usr/bin/nevalon" ||
  fail "autostart entry: $(cat "$entry" 2>&1)"
quit_from_tray_menu nevalon $pid
[ "$code" = 0 ] && pass "the tray menu's Quit ends it with exit code 0" || fail "Quit: exit $code"
if [ "$code" = running ]; then kill -9 $pid; fi
finish
