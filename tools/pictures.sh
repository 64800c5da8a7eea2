#!/usr/bin/env bash
# Takes the README's pictures as a person sees them on a desktop: the list window in the light and the dark
# appearance, the editor over it and the gear menu, on a private display with openbox and a tray along the
# top, with a few events counted from now.
# Usage: bash tools/pictures.sh [build folder]; writes docs/pictures/*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
source "$root/tests/e2e/desktop.sh"
pictures=$root/docs/pictures
export TZ=UTC

# The part of the screen from $1 points left of the list window to the right edge, down to $2 points below
# the lowest of the program's windows, into $pictures/$3.png.
keep() {
  local list bottom=0 w
  list=$(window_named Nevalon)
  frame_of "$list"
  local left=$((L - $1))
  for w in $(xdotool search --onlyvisible --classname '^nevalon$'); do
    frame_of "$w"
    [ $((T + H)) -gt "$bottom" ] && [ "$W" -gt 30 ] && bottom=$((T + H))
  done
  import -window root -crop "$((1280 - left))x$((bottom + $2))+$left+0" +repage "$pictures/$3.png"
  echo "$pictures/$3.png"
}

start_desktop
# A desktop's colour behind the windows, rather than the X server's black.
xsetroot -solid '#5a7fa6' 2>/dev/null || true
await 'xdotool search --name "^panel$"'
panel=$(xdotool search --name '^panel$' | head -1)
now=$(date +%s)
for scheme in light dark; do
  cat >"$XDG_DATA_HOME/nevalon_events.dat" <<EOF
Wedding anniversary|$((now + 398 * 86400 + 5 * 3600))|0|6|0|0|0|0
Mum's birthday|$((now + 11 * 86400 + 19 * 3600))|0|6|1|0|0|0
Team review|$((now + 2 * 3600 + 15 * 60))|0|2|4|0|0|0
Tax return|$((now - 3 * 86400))|0|0|5|1|0|0
Trip to Lisbon|$((now + 94 * 86400 + 14 * 3600))|0|0|6|0|0|0
EOF
  if [ $scheme = dark ]; then
    start_session_bus
    "$build/tests/e2e/e2e_desktop_services" dark-portal >"$work/portal.log" 2>&1 &
    portal_pid=$!
    trap 'kill $portal_pid; stop_desktop' EXIT
    await 'grep -qx ready "$work/portal.log"'
  fi
  "$build/app/nevalon" >"$work/run.log" 2>&1 &
  pid=$!
  await 'tray_icon_line nevalon'
  press_tray_icon nevalon 1
  await list_shown
  list=$(window_named Nevalon)
  # Past its first paint.
  await "import -window $list $work/painted.png && [ \$(convert $work/painted.png -format '%[fx:int(255*standard_deviation)]' info:) -gt 20 ]"
  keep 40 20 "list-$scheme"
  if [ $scheme = light ]; then
    before=$(xdotool search --onlyvisible --classname '^nevalon$')
    click_in "$list" 379 40
    await 'window_named "Edit Event" | grep -q .'
    await '[ "$(xdotool getactivewindow getwindowname)" = "Edit Event" ]'
    keep 40 20 editor
    xdotool key Escape
    await '! window_named "Edit Event" | grep -q .'
    frame_of "$list"
    click_in "$list" 430 $((H - 30))
    await '[ -n "$(new_window "$before")" ]'
    keep 40 20 gear-menu
    xdotool key Escape
  fi
  kill $pid
  await_exit $pid 5
done
