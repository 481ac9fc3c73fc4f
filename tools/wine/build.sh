#!/usr/bin/env bash
# Configures and builds one of the builds, with all cores.
# Usage: build.sh native|bench|fuzz|mingw [target...]
#   native  build/native  g++, Debug: core, fake, portable tests, benchmarks
#   bench   build/bench   g++, Release: the same, optimised, for timing
#   fuzz    build/fuzz    clang++ with libFuzzer, ASan and UBSan: the fuzzers
#   mingw   build/mingw   MinGW-w64 cross build, MinSizeRel: zentrik.exe and the tests
#           (built for size: its time goes to system calls, not its own code,
#           and under Wine every page of the image stays in the working set)
set -euo pipefail
source "$(dirname "$0")/common.sh"

kind=${1:?usage: build.sh native|bench|fuzz|mingw [target...]}
shift
dir=$ZENTRIK_BUILD/$kind
case $kind in
  native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
  bench)  args=(-DCMAKE_BUILD_TYPE=Release) ;;
  fuzz)   args=(-DCMAKE_BUILD_TYPE=Debug -DZENTRIK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++) ;;
  mingw)  args=(-DCMAKE_BUILD_TYPE=MinSizeRel
                -DCMAKE_TOOLCHAIN_FILE="$ZENTRIK_ROOT/cmake/mingw-w64-x86_64.cmake") ;;
  *) echo "build.sh: unknown build '$kind'" >&2; exit 2 ;;
esac

mkdir -p "$dir"
# One build at a time per build folder (make run and make test may overlap).
exec 7>"$dir.lock"
flock -n 7 || { echo "waiting for another build in $dir..."; flock 7; }
cmake -S "$ZENTRIK_ROOT" -B "$dir" "${args[@]}" >"$dir/configure.log" 2>&1 || {
  cat "$dir/configure.log"; exit 1; }
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$JOBS" "${targets[@]}"
