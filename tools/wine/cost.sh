#!/usr/bin/env bash
# `make cost`: what the program costs while it sits on its default page, next to
# Wine's own task manager on its Processes tab, under Wine in Xvfb.
# Each run is a fresh Wine session of its own (a private prefix, build/
# wineprefix-cost, and a fresh Xvfb): start the server, optionally start idle
# processes, start the program, wait ZENTRIK_COST_SETTLE (6) s, read utime+stime
# of the program and of wineserver from /proc, wait ZENTRIK_COST_SECONDS (30) s,
# read again, note the program's VmRSS, end everything. Runs alternate ours,
# peer, ours, peer (ZENTRIK_COST_ROUNDS, 2), first on the bare desktop, then
# with ZENTRIK_COST_IDLE (300) extra processes that sleep forever
# (ZENTRIK_COST_SIZES="0" measures the bare desktop alone). ZENTRIK_COST_EXE and
# ZENTRIK_COST_PEER put other builds in place of ours and of the peer.
# Prints a table and the ratios ours / peer; keeps it and a screenshot of each
# run in build/cost.
set -euo pipefail
source "$(dirname "$0")/common.sh"
export WINEPREFIX=${ZENTRIK_COST_PREFIX:-$ZENTRIK_BUILD/wineprefix-cost}
settle=${ZENTRIK_COST_SETTLE:-6}
window=${ZENTRIK_COST_SECONDS:-30}
rounds=${ZENTRIK_COST_ROUNDS:-2}
idle_count=${ZENTRIK_COST_IDLE:-300}
out=$ZENTRIK_BUILD/cost
hz=$(getconf CLK_TCK)

bash "$ZENTRIK_ROOT/tools/wine/deps.sh" cross wine shots cost
say "building zentrik.exe and zentrik_idle.exe"
bash "$ZENTRIK_ROOT/tools/wine/build.sh" mingw zentrik zentrik_idle
ours=${ZENTRIK_COST_EXE:-$ZENTRIK_BUILD/mingw/zentrik.exe}  # another build to compare
idle=$ZENTRIK_BUILD/mingw/zentrik_idle.exe
mkdir -p "$out"
# Another build in the peer's place compares two builds.
peer=${ZENTRIK_COST_PEER:-$(find /usr/lib/x86_64-linux-gnu/wine /usr/lib/wine \
  -ipath '*x86_64-windows/taskmgr.exe' 2>/dev/null | head -1)}
[[ -n $peer ]] || { warn "Wine's taskmgr.exe was not found"; exit 1; }
bash "$ZENTRIK_ROOT/tools/wine/prefix.sh"

exec 6>"$out.lock"
flock -n 6 || { echo "waiting for another make cost..."; flock 6; }

# utime+stime in clock ticks, summed over the given processes (gone ones count 0).
cpu_ticks() {
  (( $# )) || { echo 0; return; }
  # cat fails for a process that has gone; that must not end the script.
  printf '/proc/%s/stat\n' "$@" | { xargs cat 2>/dev/null || true; } \
    | awk '{ sub(/.*\) /, ""); s += $12 + $13 } END { print s + 0 }'
}
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
load1() { cut -d' ' -f1 /proc/loadavg; }

# Waits until the given processes have used no CPU for a second (at most 120 s):
# started processes have finished starting.
wait_quiet() {
  local prev=-1 cur end=$((SECONDS + 120))
  while (( SECONDS < end )); do
    cur=$(cpu_ticks "$@")
    (( cur == prev )) && return
    prev=$cur
    sleep 1
  done
  warn "processes still busy after 120 s; measuring anyway"
}

# Wine's task manager opens on its Applications tab: click its Processes tab.
show_processes_tab() {
  local pid=$1 win= tries=0
  until win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [[ -n $win ]]; do
    (( ++tries > 100 )) && { warn "the peer's window did not appear"; return 1; }
    sleep 0.1
  done
  sleep 1
  xdotool mousemove --window "$win" 112 57 click 1
}

session_pids=()
cleanup_session() {
  stop_wine
  (( ${#session_pids[@]} )) && { wait "${session_pids[@]}" 2>/dev/null || true; }
  session_pids=()
  stop_xvfb
}
trap 'cleanup_session' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

rows=()
# One run: label (ours|peer), number of idle processes, run name.
run_one() {
  local who=$1 extra=$2 name=$3 exe server pid t0 t1 s0 s1 i
  [[ $who == ours ]] && exe=$ours || exe=$peer
  # The machine's load from others: the idle processes' start-up would count.
  local load_before; load_before=$(load1)
  start_xvfb
  stop_wine  # whatever an interrupted run left behind
  wineserver -p
  server=$(wineserver_pid)
  [[ -n $server ]] || { warn "wineserver did not start"; return 1; }
  # The session's services come up with its first program: start them with one
  # that ends at once, so that they are settled before anything is measured.
  $WINE rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 || true
  wait_quiet "$server"
  local idles=()
  for ((i = 0; i < extra; i++)); do
    $WINE "$idle" >/dev/null 2>&1 &
    idles+=($!)
  done
  session_pids=("${idles[@]}")
  (( extra )) && wait_quiet "$server" "${idles[@]}"
  local started; started=$(date +%s%N)
  $WINE "$exe" >/dev/null 2>&1 &
  pid=$!
  session_pids+=("$pid")
  if [[ $who == peer && -z ${ZENTRIK_COST_PEER:-} ]]; then show_processes_tab "$pid" || true; fi
  sleep "$(awk -v s="$settle" -v a="$started" -v b="$(date +%s%N)" \
    'BEGIN { r = s - (b - a) / 1e9; print (r > 0 ? r : 0) }')"
  t0=$(cpu_ticks "$pid") s0=$(cpu_ticks "$server")
  sleep "$window"
  t1=$(cpu_ticks "$pid") s1=$(cpu_ticks "$server")
  local rss alive=0
  rss=$(rss_kb "$pid")
  for i in "${idles[@]}"; do [[ -e /proc/$i ]] && alive=$((alive + 1)); done
  import -window root "$out/$name.png" 2>/dev/null || true
  kill -0 "$pid" 2>/dev/null || warn "$name: the program ended during the run"
  rows+=("$name $who $extra $alive $((t1 - t0)) $((s1 - s0)) $rss $load_before")
  awk -v hz="$hz" -v r="${rows[-1]}" 'BEGIN { split(r, f, " ")
    printf "%-12s %-5s %3d idle: program %5.2f s + wineserver %5.2f s, VmRSS %5.1f MB, load %s\n",
      f[1], f[2], f[4], f[5] / hz, f[6] / hz, f[7] / 1024, f[8] }'
  cleanup_session
}

say "measuring: ${settle} s to settle, ${window} s window, $rounds rounds per size"
echo "ours: $ours"
echo "peer: $peer ($($WINE --version))"
for extra in ${ZENTRIK_COST_SIZES:-0 $idle_count}; do
  size=bare; (( extra )) && size=idle$extra
  for ((r = 1; r <= rounds; r++)); do
    run_one ours "$extra" "$size-A$r"
    run_one peer "$extra" "$size-B$r"
  done
done

# The table: one line per run, then the ratios per size from the summed CPU
# times and the mean working sets.
report() {
  printf '%-12s %-5s %6s %9s %8s %8s %9s %11s\n' \
    run who idle program wineserv total 'VmRSS MB' 'load before'
  printf '%s\n' "${rows[@]}" | awk -v hz="$hz" '
    {
      cpu = ($5 + $6) / hz
      printf "%-12s %-5s %6d %8.2fs %7.2fs %7.2fs %9.1f %11s\n",
        $1, $2, $4, $5 / hz, $6 / hz, cpu, $7 / 1024, $8
      size = $3; cpus[size, $2] += cpu; rss[size, $2] += $7; n[size, $2]++
      if (!(size in seen)) { seen[size] = 1; order[++sizes] = size }
    }
    END {
      print ""
      for (i = 1; i <= sizes; i++) {
        s = order[i]
        if (!n[s, "ours"] || !n[s, "peer"] || !cpus[s, "peer"] || !rss[s, "peer"]) continue
        printf "%s extra processes: CPU ours/peer %.2f (%.2f s / %.2f s per run), " \
          "working set ours/peer %.2f (%.1f MB / %.1f MB)\n", s,
          (cpus[s, "ours"] / n[s, "ours"]) / (cpus[s, "peer"] / n[s, "peer"]),
          cpus[s, "ours"] / n[s, "ours"], cpus[s, "peer"] / n[s, "peer"],
          (rss[s, "ours"] / n[s, "ours"]) / (rss[s, "peer"] / n[s, "peer"]),
          rss[s, "ours"] / n[s, "ours"] / 1024, rss[s, "peer"] / n[s, "peer"] / 1024
      }
    }'
}
say "cost over ${window} s: CPU of the program + wineserver (ours zentrik.exe, peer taskmgr.exe)"
report | tee "$out/cost.txt"
echo "screenshots of each run: $out/*.png"
