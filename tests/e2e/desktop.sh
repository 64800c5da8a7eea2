# Sourced by the end-to-end tests: a private X display with a tray host, and a private home.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; failed=$((failed + 1)); }
pass() { echo "ok: $*"; passed=$((passed + 1)); }
passed=0
failed=0

work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

start_desktop() {
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      xdpyinfo -display :$n >/dev/null 2>&1 && { export DISPLAY=:$n; break 2; }
      sleep 0.1
    done
    kill $xvfb_pid 2>/dev/null || true
  done
  [ -n "${DISPLAY:-}" ] || { echo "cannot start Xvfb" >&2; exit 1; }
  trayer --edge top --align right --widthtype request --height 24 >"$work/trayer.log" 2>&1 &
  trayer_pid=$!
}

stop_desktop() {
  kill ${trayer_pid:-} ${xvfb_pid:-} 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop_desktop EXIT

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
