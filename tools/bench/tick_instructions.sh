#!/usr/bin/env bash
# Instructions per process tick at 1,000 and 10,000 processes, with the columns of
# a fresh window and with every column the chooser offers, counted by callgrind:
# unlike times, the counts repeat exactly and do not depend on how much of the
# tick's data the caches happen to hold. Run after `make bench` has built it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bench=$root/build/bench/zentrik_bench
[[ -x $bench ]] || { echo "build it first: make bench" >&2; exit 2; }
command -v valgrind >/dev/null || apt-get install -y -qq valgrind >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for run in ProcessTick/1000 ProcessTick/10000 ProcessTickAllColumns/1000 ProcessTickAllColumns/10000; do
  n=${run//\//.}
  valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*RunOneTick*' \
    --callgrind-out-file="$out/cg.$n" "$bench" --benchmark_filter="$run\$" \
    --benchmark_min_time=0.2 >/dev/null 2>&1
  # Every run of the benchmark counts, the short trial runs included: sum the
  # calls recorded for the function (named once, then by its number).
  iterations=$(awk '
    /^c?fn=\([0-9]+\) .*RunOneTick/ { match($0, /\([0-9]+\)/); id = substr($0, RSTART, RLENGTH) }
    /^cfn=/ { current = (id != "" && index($0, "cfn=" id) == 1) }
    /^calls=/ && current { split($1, c, "="); sum += c[2]; current = 0 }
    END { print sum + 0 }' "$out/cg.$n")
  total=$(callgrind_annotate "$out/cg.$n" | grep 'PROGRAM TOTALS' | awk '{gsub(",", "", $1); print $1}')
  echo "$run: $((total / iterations)) instructions per tick ($iterations ticks)"
done
