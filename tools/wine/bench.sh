#!/usr/bin/env bash
# `make bench`: builds the native benchmarks (tools/bench/*_bench.cpp) optimised
# in build/bench and runs them, then the cost of each step of a tick against the
# real Win32 backend (tools/bench/tick_cost_win32.cpp) under Wine in a private
# Xvfb, on the bare desktop and with ZENTRIK_BENCH_IDLE (300) idle processes,
# ZENTRIK_BENCH_TICKS (200) runs per step; its tables go to build/bench/tick_cost.txt.
# Arguments go to Google Benchmark, e.g. --benchmark_filter=Table.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# Inside the private display: each size in a Wine session of its own, with the
# server's PID so that its CPU time can be read.
if [[ ${1:-} == --tick-cost ]]; then
  exe=$2 out=$3
  : >"$out"
  for idle in 0 "${ZENTRIK_BENCH_IDLE:-300}"; do
    stop_wine  # whatever an interrupted run left behind
    wineserver -p
    server=$(wineserver_pid)
    # Into the file, not through a pipe: the session's services inherit the
    # output and would hold a pipe open.
    "$WINE" "$exe" --ticks "${ZENTRIK_BENCH_TICKS:-200}" --idle "$idle" \
      ${server:+--wineserver "$server"} >>"$out" 2>&1 \
      || warn "the tick cost run with $idle idle processes failed"
    stop_wine
  done
  cat "$out"
  exit 0
fi

bash "$ZENTRIK_ROOT/tools/wine/deps.sh" native
if compgen -G "$ZENTRIK_ROOT/tools/bench/*_bench.cpp" >/dev/null; then
  bash "$ZENTRIK_ROOT/tools/wine/build.sh" bench zentrik_bench
  # (Debian's Google Benchmark warns that the library itself is a debug build;
  # the code measured here is optimised.)
  "$ZENTRIK_BUILD/bench/zentrik_bench" "$@"
fi

[[ -f $ZENTRIK_ROOT/tools/bench/tick_cost_win32.cpp ]] || exit 0
bash "$ZENTRIK_ROOT/tools/wine/deps.sh" cross wine
say "tick cost against the real Win32 backend, under Wine"
bash "$ZENTRIK_ROOT/tools/wine/build.sh" mingw zentrik_tick_cost zentrik_idle
# Not the tests' prefix: the server is ended between the runs. `make cost`
# uses the same prefix, so one waits for the other.
export WINEPREFIX=${ZENTRIK_BENCH_PREFIX:-$ZENTRIK_BUILD/wineprefix-cost}
bash "$ZENTRIK_ROOT/tools/wine/prefix.sh"
exec 6>"$ZENTRIK_BUILD/cost.lock"
flock -n 6 || { echo "waiting for make cost..."; flock 6; }
mkdir -p "$ZENTRIK_BUILD/bench"
exec bash "$ZENTRIK_ROOT/tools/wine/with-display.sh" --private -- \
  bash "$ZENTRIK_ROOT/tools/wine/bench.sh" --tick-cost \
  "$ZENTRIK_BUILD/mingw/zentrik_tick_cost.exe" "$ZENTRIK_BUILD/bench/tick_cost.txt"
