#!/usr/bin/env bash
# `make bench`: builds the native benchmarks (tools/bench/*_bench.cpp) optimised
# in build/bench and runs them.
# Arguments go to Google Benchmark, e.g. --benchmark_filter=Table.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$ZENTRIK_ROOT/tools/wine/deps.sh" native
compgen -G "$ZENTRIK_ROOT/tools/bench/*_bench.cpp" >/dev/null || { echo "no benchmarks yet (tools/bench/*_bench.cpp)"; exit 0; }
bash "$ZENTRIK_ROOT/tools/wine/build.sh" bench zentrik_bench
# (Debian's Google Benchmark warns that the library itself is a debug build;
# the code measured here is optimised.)
exec "$ZENTRIK_BUILD/bench/zentrik_bench" "$@"
