#!/usr/bin/env bash
# `make cost`: what the program costs next to Wine's own task manager, under
# Wine in Xvfb, on two views: both on their process lists (ours on 进程, the
# peer on its Processes tab) and both on their first pages (ours on 应用程序,
# the peer on Applications); and what the session costs with neither of them.
# The sessions run in the Chinese locale (IN_COST_LANGUAGE, common.sh).
# Each run is a fresh Wine session of its own (a private prefix, build/
# wineprefix-cost, and a fresh Xvfb): start the server, optionally start idle
# processes, start the program (or, for the idle session, one more process that
# only sleeps and has no window), bring it to its view, wait
# ZENTRIK_COST_SETTLE (6) s, read utime+stime of the program and of wineserver
# from /proc, wait ZENTRIK_COST_SECONDS (30) s, read again, note the program's
# VmRSS, end everything. A round is the idle session, then ours and the peer on
# each view (ZENTRIK_COST_VIEWS, "processes first"; "services" puts ours on
# its 服务 page beside the peer's process list, "tree" on 进程 as a tree);
# ZENTRIK_COST_ROUNDS (5)
# rounds on the bare desktop, then as many with ZENTRIK_COST_IDLE (300) extra
# processes that sleep forever (ZENTRIK_COST_SIZES="0" measures the bare
# desktop alone). ZENTRIK_COST_EXE and ZENTRIK_COST_PEER put other builds in
# place of ours and of the peer.
# Prints a table and, per view and size, the ratios ours / peer of each round
# and of all rounds, gross and net of the idle session, and of the working set;
# keeps it and a screenshot of each run in build/cost.
set -euo pipefail
source "$(dirname "$0")/common.sh"
export WINEPREFIX=${ZENTRIK_COST_PREFIX:-$ZENTRIK_BUILD/wineprefix-cost}
settle=${ZENTRIK_COST_SETTLE:-6}
window=${ZENTRIK_COST_SECONDS:-30}
rounds=${ZENTRIK_COST_ROUNDS:-5}
views=${ZENTRIK_COST_VIEWS:-processes first}
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

# Both open on their first page. Ours has seven tabs in two rows at its first
# size: 进程 is the second of the lower row, 服务 the middle of the upper one;
# the peer's process list is its second tab. A build of ours in the peer's
# place has our tabs. The services view puts ours on its 服务 tab and the peer,
# which has none, on its process list. Window-relative points, frame included.
tab_xy() {  # who, view
  if [[ $1 == peer && -z ${ZENTRIK_COST_PEER:-} ]]; then echo "112 57"
  elif [[ $2 == services ]]; then echo "196 59"
  else echo "151 79"; fi
}
show_tab() {
  local pid=$1 who=$2 view=$3 win= tries=0
  until win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [[ -n $win ]]; do
    (( ++tries > 100 )) && { warn "the $who window did not appear"; return 1; }
    sleep 0.1
  done
  sleep 1
  local xy; xy=$(tab_xy "$who" "$view")
  xdotool mousemove --window "$win" ${xy% *} ${xy#* } click 1
  # The tree view: 查看 ▸ 树状视图 by the keyboard, as a user would.
  if [[ $who == ours && $view == tree ]]; then
    sleep 0.5
    xdotool key --window "$win" alt+v
    sleep 0.5
    xdotool key --window "$win" t
  fi
  park_pointer
}

# The pointer rests on the bare desktop, off both programs' windows: while it
# is over a window whose controls track the mouse leaving (tabs, lists),
# Wine asks the X server for the pointer every 100 ms on that program's
# behalf, which Windows does not (it reports the leave as an event). Both
# programs paid it alike, and it hid what their own work costs.
park_pointer() { xdotool mousemove 1010 10 2>/dev/null || true; }

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
# One run: who (ours|peer|idle), view (processes|first|-), number of idle
# processes, round, run name.
run_one() {
  local who=$1 view=$2 extra=$3 round=$4 name=$5 exe server pid t0 t1 s0 s1 i
  case $who in
    ours) exe=$ours ;;
    peer) exe=$peer ;;
    idle) exe=$idle ;;  # keeps the session alive, draws nothing
  esac
  # The machine's load from others: the idle processes' start-up would count.
  local load_before; load_before=$(load1)
  start_xvfb
  park_pointer  # Xvfb starts it in the middle of the screen, over the window to come
  stop_wine  # whatever an interrupted run left behind
  wineserver -p
  server=$(wineserver_pid)
  [[ -n $server ]] || { warn "wineserver did not start"; return 1; }
  # The session's services come up with its first program: start them with one
  # that ends at once, so that they are settled before anything is measured.
  "${IN_COST_LANGUAGE[@]}" $WINE rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 || true
  wait_quiet "$server"
  local idles=()
  for ((i = 0; i < extra; i++)); do
    "${IN_COST_LANGUAGE[@]}" $WINE "$idle" >/dev/null 2>&1 &
    idles+=($!)
  done
  session_pids=("${idles[@]}")
  (( extra )) && wait_quiet "$server" "${idles[@]}"
  local started; started=$(date +%s%N)
  "${IN_COST_LANGUAGE[@]}" $WINE "$exe" >/dev/null 2>&1 &
  pid=$!
  session_pids+=("$pid")
  if [[ $view != first && $view != - ]]; then show_tab "$pid" "$who" "$view" || true; fi
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
  rows+=("$name $who $view $extra $alive $((t1 - t0)) $((s1 - s0)) $rss $load_before $round")
  awk -v hz="$hz" -v r="${rows[-1]}" 'BEGIN { split(r, f, " ")
    printf "%-22s %-5s %3d idle: program %5.2f s + wineserver %5.2f s, VmRSS %5.1f MB, load %s\n",
      f[1], f[2], f[5], f[6] / hz, f[7] / hz, f[8] / 1024, f[9] }'
  cleanup_session
}

say "measuring: ${settle} s to settle, ${window} s window, $rounds rounds per size, views: $views"
echo "ours: $ours"
echo "peer: $peer ($($WINE --version))"
for extra in ${ZENTRIK_COST_SIZES:-0 $idle_count}; do
  size=bare; (( extra )) && size=idle$extra
  for ((r = 1; r <= rounds; r++)); do
    run_one idle - "$extra" "$r" "$size-R$r-session"
    for view in $views; do
      run_one ours "$view" "$extra" "$r" "$size-R$r-$view-A"
      run_one peer "$view" "$extra" "$r" "$size-R$r-$view-B"
    done
  done
done

# The table: one line per run; then, per size and view, each round's ratios
# and those of the means over all rounds. Gross: program + wineserver of ours
# over the peer's; net: each less the idle session of the same round (of the
# means, for all rounds).
report() {
  printf '%-22s %-5s %-9s %6s %9s %8s %8s %9s %11s\n' \
    run who view idle program wineserv total 'VmRSS MB' 'load before'
  printf '%s\n' "${rows[@]}" | awk -v hz="$hz" '
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "n/a" }
    {
      cpu = ($6 + $7) / hz
      printf "%-22s %-5s %-9s %6d %8.2fs %7.2fs %7.2fs %9.1f %11s\n",
        $1, $2, $3, $5, $6 / hz, $7 / hz, cpu, $8 / 1024, $9
      size = $4; round = $10
      if (!(size in seen)) { seen[size] = 1; order[++sizes] = size }
      if ($2 == "idle") {
        idle[size, round] = cpu; idleSum[size] += cpu; idleN[size]++
        next
      }
      if (!((size, $3) in seenView)) { seenView[size, $3] = 1; views[size, ++nviews[size]] = $3 }
      at[size, $3, $2, round] = cpu
      sum[size, $3, $2] += cpu; n[size, $3, $2]++; rss[size, $3, $2] += $8
      if (round > rounds) rounds = round
    }
    END {
      for (i = 1; i <= sizes; i++) {
        s = order[i]
        for (j = 1; j <= nviews[s]; j++) {
          v = views[s, j]
          print ""
          printf "%s extra processes, %s view (ours / peer, CPU of program + wineserver):\n", s, v
          for (r = 1; r <= rounds; r++) {
            if (!((s, v, "ours", r) in at) || !((s, v, "peer", r) in at)) continue
            o = at[s, v, "ours", r]; p = at[s, v, "peer", r]; z = idle[s, r]
            printf "  round %d: ours %.2f s, peer %.2f s, session %.2f s: gross %s, net %s\n",
              r, o, p, z, ratio(o, p), ratio(o - z, p - z)
          }
          if (!n[s, v, "ours"] || !n[s, v, "peer"]) continue
          o = sum[s, v, "ours"] / n[s, v, "ours"]; p = sum[s, v, "peer"] / n[s, v, "peer"]
          z = idleN[s] ? idleSum[s] / idleN[s] : 0
          printf "  all rounds: ours %.2f s, peer %.2f s, session %.2f s per run: " \
            "gross %s, net %s; working set ours/peer %s (%.1f MB / %.1f MB)\n",
            o, p, z, ratio(o, p), ratio(o - z, p - z),
            ratio(rss[s, v, "ours"] / n[s, v, "ours"], rss[s, v, "peer"] / n[s, v, "peer"]),
            rss[s, v, "ours"] / n[s, v, "ours"] / 1024, rss[s, v, "peer"] / n[s, v, "peer"] / 1024
        }
      }
    }'
}
say "cost over ${window} s: CPU of the program + wineserver (ours zentrik.exe, peer taskmgr.exe, session: neither)"
report | tee "$out/cost.txt"
echo "screenshots of each run: $out/*.png"
