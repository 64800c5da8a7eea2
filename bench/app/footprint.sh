#!/usr/bin/env bash
# Compares Nevalon's footprint with a bare Qt tray application on a private X display:
# resident memory and processor time after start-up, and processor time while idle.
# Usage: bash bench/app/footprint.sh [build-dir]
set -euo pipefail
build=${1:-build}
nevalon=$build/app/nevalon
bare=$build/bench/app/bare_tray
source "$(dirname "$0")/../../tests/e2e/desktop.sh"
start_desktop

ticks() { awk '{print $14 + $15}' /proc/$1/stat; }
rss_kb() { awk '/VmRSS/ {print $2}' /proc/$1/status; }

measure() {
  local program=$1 runs=5 rss=0 start=0 idle=0
  for _ in $(seq $runs); do
    "$program" >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    local t0; t0=$(ticks $pid)
    rss=$((rss + $(rss_kb $pid)))
    start=$((start + t0))
    sleep 5
    idle=$((idle + $(ticks $pid) - t0))
    kill -TERM $pid; wait $pid 2>/dev/null || true
  done
  echo "$((rss / runs)) $((start * 10 / runs)) $((idle * 10 / runs))"
}

read -r n_rss n_start n_idle < <(measure "$nevalon")
read -r b_rss b_start b_idle < <(measure "$bare")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "n/a"; else printf "%.2f", a / b }'; }
printf '%-28s %10s %10s %7s\n' "" nevalon "bare Qt" ratio
printf '%-28s %10s %10s %7s\n' "resident memory (kB)" "$n_rss" "$b_rss" "$(ratio $n_rss $b_rss)"
printf '%-28s %10s %10s %7s\n' "start-up CPU (ms, first 2 s)" "$n_start" "$b_start" "$(ratio $n_start $b_start)"
printf '%-28s %10s %10s %7s\n' "idle CPU (ms over 5 s)" "$n_idle" "$b_idle" "$(ratio $n_idle $b_idle)"
