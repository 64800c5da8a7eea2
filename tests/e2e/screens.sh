#!/usr/bin/env bash
# Two screens side by side, of different sizes, the tray on the right one: the list window opens under the
# icon on that screen, inside its free part, and the editor with it. Qt learns of screens from RandR outputs,
# which Xvfb has one of (its +xinerama lays screens over each other), so this desktop is an X server with the
# dummy driver and two of its outputs; where no such server can run (not root, no driver), it is skipped.
source "$(dirname "$0")/desktop.sh"
nevalon=$1
shots=$2
export TZ=UTC
mkdir -p "$shots"
command -v Xorg >/dev/null && [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  { echo "skipped: no X server with the dummy driver"; exit 77; }

mkdir -p "$work/xorg.conf.d"
cat >"$work/xorg.conf" <<'EOF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  # Pixel clocks under the dummy driver's limit.
  Modeline "3840x1440" 250 3840 3848 3880 3960 1440 1443 1453 1481 +hsync -vsync
  Modeline "2560x1440" 200 2560 2752 3024 3488 1440 1443 1448 1493 -hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3840 1440
    Modes "3840x1440"
  EndSubSection
EndSection
EOF
Xorg -displayfd 3 -config "$work/xorg.conf" -configdir "$work/xorg.conf.d" -noreset -nolisten tcp \
  -logfile "$work/xorg.log" 3>"$work/display" >"$work/xorg.out" 2>&1 &
xvfb_pid=$!
await 'test -s "$work/display"' || { echo "skipped: the X server does not start here: $(tail -3 "$work/xorg.out")"; exit 77; }
export DISPLAY=:$(cat "$work/display")
# A 1280 x 800 screen at the left and a 2560 x 1440 one at its right, each on an output of its own, so that
# the pointer reaches both.
xrandr --addmode DUMMY1 2560x1440 &&
  xrandr --output DUMMY0 --mode 1280x800 --pos 0x0 --output DUMMY1 --mode 2560x1440 --pos 1280x0 ||
  { echo "skipped: the outputs cannot be set: $(xrandr 2>&1 | head -3)"; exit 77; }
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!
await 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || { echo "no window manager" >&2; exit 1; }
start_tray top 1
await 'xdotool search --name "^panel$"' || fail "no tray host"
panel=$(xdotool search --name '^panel$' | head -1)

echo "Trip|1893553440|0|0|5|0|0|0" >"$XDG_DATA_HOME/nevalon_events.dat"
"$nevalon" >"$work/run.log" 2>&1 &
pid=$!
await 'tray_icon_line nevalon' || fail "no icon: $(cat "$work/run.log")"
IFS=+ read -r _ icon_x _ <<<"$(tray_icon_line nevalon | awk '{ print $NF }')"
press_tray_icon nevalon 1
await list_shown || fail "no list window"
list=$(window_named Nevalon)
frame_of "$list"
if [ "$icon_x" -ge 1280 ] && inside_work_area "$list" && [ "$L" -ge 1280 ] && [ "$L" -le "$icon_x" ] &&
  [ $((L + W)) -ge "$icon_x" ] && [ "$T" = "$WT" ]; then
  pass "the list window opens on the clicked screen under the icon, at the top of its free part"
else
  fail "list window at $L,$T ${W}x$H, icon at x $icon_x, free part $WL,$WT-$WR,$WB"
fi
click_in "$list" 379 40
await 'window_named "Edit Event" | grep -q .' || fail "no editor"
editor=$(window_named "Edit Event")
if inside_work_area "$editor" && [ "$L" -ge 1280 ] && stacked_above "$editor" "$list"; then
  pass "the editor opens above it on the same screen"
else
  fail "editor at $L,$T ${W}x$H"
fi
import -window root "$shots/two-screens.png"
kill $pid
await_exit $pid 5
finish
