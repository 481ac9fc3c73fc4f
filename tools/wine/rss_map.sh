#!/usr/bin/env bash
# Where a program's working set is under Wine: starts it as `make cost` does
# (a fresh session in build/wineprefix-cost, a fresh Xvfb), waits
# ZENTRIK_COST_SETTLE (6) s and prints its Rss in KB grouped by mapped file
# (anonymous memory, heaps and stacks under their own names), largest first.
# Usage: rss_map.sh ours|peer|PATH.exe
set -euo pipefail
source "$(dirname "$0")/common.sh"
export WINEPREFIX=${ZENTRIK_COST_PREFIX:-$ZENTRIK_BUILD/wineprefix-cost}
settle=${ZENTRIK_COST_SETTLE:-6}

case ${1:?usage: rss_map.sh ours|peer|PATH.exe} in
  ours) exe=$ZENTRIK_BUILD/mingw/zentrik.exe ;;
  peer) exe=$(find /usr/lib/x86_64-linux-gnu/wine /usr/lib/wine \
          -ipath '*x86_64-windows/taskmgr.exe' 2>/dev/null | head -1) ;;
  *) exe=$1 ;;
esac
bash "$ZENTRIK_ROOT/tools/wine/prefix.sh"
exec 6>"$ZENTRIK_BUILD/cost.lock"
flock 6

pid=
cleanup() {
  stop_wine
  [[ -n $pid ]] && { wait "$pid" 2>/dev/null || true; }
  stop_xvfb
}
trap cleanup EXIT
start_xvfb
stop_wine
wineserver -p
"${IN_COST_LANGUAGE[@]}" $WINE rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 || true
"${IN_COST_LANGUAGE[@]}" $WINE "$exe" >/dev/null 2>&1 &
pid=$!
if [[ $1 == peer ]]; then
  # Wine's task manager opens on its Applications tab: show its Processes tab.
  sleep 2
  win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) || true
  [[ -n $win ]] && xdotool mousemove --window "$win" 112 57 click 1
fi
sleep "$settle"
awk '
  /^[0-9a-f]+-[0-9a-f]+ / {
    name = $6 == "" ? "[anonymous]" : $6
    sub(/.*\//, "", name)
    next
  }
  /^Rss:/ { rss[name] += $2; total += $2 }
  END {
    for (n in rss) if (rss[n]) printf "%8d %s\n", rss[n], n
    printf "%8d TOTAL\n", total
  }' "/proc/$pid/smaps" | sort -rn
grep '^VmRSS' "/proc/$pid/status"
