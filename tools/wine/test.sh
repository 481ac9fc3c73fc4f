#!/usr/bin/env bash
# `make test`: installs what is missing, then builds and runs everything:
#   native build + ctest, fuzz build + each fuzzer for a few seconds,
#   MinGW cross build + the DLLs zentrik.exe imports + the Windows test
#   programs under Wine in a private Xvfb, and the sizes at 144 DPI in a
#   second prefix whose screen is set so.
# Keeps going after a failure where it can, prints a summary, and exits
# non-zero if anything failed. Tunables: ZENTRIK_FUZZ_SECONDS (5),
# ZENTRIK_WINE_TEST_TIMEOUT (600 s per Windows test program).
set -euo pipefail
source "$(dirname "$0")/common.sh"
tools=$ZENTRIK_ROOT/tools/wine
logs=$ZENTRIK_BUILD/logs

# Inside the private display: run each Windows test program under Wine with a
# hard time limit, writing its output and exit status beside each other.
# --wine-run NAME EXE ARGS... runs one program as NAME (its log's name).
run_under_wine() {  # name, exe, arguments...
  local name=$1 exe=$2
  shift 2
  say "$name under Wine"
  local status=0 t0=$SECONDS
  # Into a file, not a pipe: a Wine process the tests leave behind (a console
  # host, say) would hold a pipe open, and its reader would wait for ever.
  timeout -k 10 "${ZENTRIK_WINE_TEST_TIMEOUT:-600}" "$WINE" "$exe" "$@" >"$logs/$name.log" 2>&1 \
    || status=$?
  cat "$logs/$name.log"
  (( status == 124 || status == 137 )) && echo "$name: timed out after ${ZENTRIK_WINE_TEST_TIMEOUT:-600} s"
  echo "$status $((SECONDS - t0))" >"$logs/$name.status"
}
if [[ ${1:-} == --wine-suites ]]; then
  shift
  for exe in "$@"; do run_under_wine "$(basename "$exe" .exe)" "$exe"; done
  exit 0
fi
if [[ ${1:-} == --wine-run ]]; then
  shift
  run_under_wine "$@"
  exit 0
fi

bash "$tools/deps.sh" native fuzz cross wine
mkdir -p "$ZENTRIK_BUILD" "$logs"
exec 8>"$ZENTRIK_BUILD/.test.lock"
flock -n 8 || { echo "waiting for another make test in this tree..."; flock 8; }
rm -f "$logs"/*

started=$SECONDS
passed=0 failed=0 step_failed=0
steps=()
step_start=$SECONDS
note() {  # step, result, [seconds]
  steps+=("$(printf '%-24s %-14s %4d s' "$1" "$2" "${3:-$((SECONDS - step_start))}")")
  step_start=$SECONDS
  [[ $2 == ok ]] || step_failed=1
}

# Counts from ctest's closing line, or from GoogleTest's; a program that failed
# without saying which test did (a crash, a time-out) counts as one failure.
count_ctest() {
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1) || return 0
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad)) failed=$((failed + bad))
}
count_gtest() {  # log, exit status
  local ok bad
  ok=$(grep -aE '^\[  PASSED  \] [0-9]+ tests?' "$1" | tail -1 | grep -oE '[0-9]+' | head -1) || true
  bad=$(grep -aE '^\[  FAILED  \] [0-9]+ tests?, listed below' "$1" | tail -1 | grep -oE '[0-9]+' | head -1) || true
  passed=$((passed + ${ok:-0})) failed=$((failed + ${bad:-0}))
  [[ $2 != 0 && ${bad:-0} == 0 ]] && failed=$((failed + 1))
  return 0
}

# --- native -----------------------------------------------------------------
say "native build (build/native)"
if bash "$tools/build.sh" native; then
  note "native build" ok
  say "native tests (ctest)"
  if ctest --test-dir "$ZENTRIK_BUILD/native" --output-on-failure -j "$JOBS" --timeout 300 2>&1 \
      | tee "$logs/ctest.log"; [[ ${PIPESTATUS[0]} == 0 ]]; then
    note "native tests" ok
  else
    note "native tests" FAILED
    grep -q 'tests passed' "$logs/ctest.log" || failed=$((failed + 1))
  fi
  count_ctest "$logs/ctest.log"
else
  note "native build" FAILED; failed=$((failed + 1))
fi

# --- fuzz -------------------------------------------------------------------
fuzzers=("$ZENTRIK_ROOT"/tools/fuzz/*_fuzz.cpp)
if [[ -e ${fuzzers[0]} ]]; then
  say "fuzz build (build/fuzz, clang++ with libFuzzer, ASan, UBSan)"
  if bash "$tools/build.sh" fuzz; then
    note "fuzz build" ok
    secs=${ZENTRIK_FUZZ_SECONDS:-5}
    fuzz_bad=0
    for src in "${fuzzers[@]}"; do
      name=$(basename "$src" .cpp)
      corpus=$ZENTRIK_BUILD/fuzz/corpus/$name
      artifacts=$ZENTRIK_BUILD/fuzz/artifacts
      mkdir -p "$corpus" "$artifacts"
      dirs=("$corpus")
      [[ -d $ZENTRIK_ROOT/tools/fuzz/corpus/$name ]] && dirs+=("$ZENTRIK_ROOT/tools/fuzz/corpus/$name")
      if timeout -k 5 $((secs + 120)) "$ZENTRIK_BUILD/fuzz/$name" -max_total_time="$secs" \
          -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts/$name-" "${dirs[@]}" \
          >"$logs/$name.log" 2>&1; then
        echo "$name: $(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$logs/$name.log" | tail -1 || true)s, no crash"
        passed=$((passed + 1))
      else
        echo "$name: FAILED (log $logs/$name.log, inputs in $artifacts)"
        tail -40 "$logs/$name.log"
        failed=$((failed + 1)) fuzz_bad=1
      fi
    done
    (( fuzz_bad )) && note "fuzzers" FAILED || note "fuzzers" ok
  else
    note "fuzz build" FAILED; failed=$((failed + 1))
  fi
fi

# --- Windows ----------------------------------------------------------------
say "cross build (build/mingw)"
if bash "$tools/build.sh" mingw; then
  note "cross build" ok
  if [[ -f $ZENTRIK_BUILD/mingw/zentrik.exe ]]; then
    say "zentrik.exe: imported DLLs and manifest"
    if bash "$ZENTRIK_ROOT/tools/dist/check_exe.sh" "$ZENTRIK_BUILD/mingw/zentrik.exe"; then
      note "zentrik.exe imports" ok; passed=$((passed + 1))
    else
      note "zentrik.exe imports" FAILED; failed=$((failed + 1))
    fi
  fi
  suites=()
  for exe in zentrik_win_tests zentrik_tests; do
    [[ -f $ZENTRIK_BUILD/mingw/$exe.exe ]] && suites+=("$ZENTRIK_BUILD/mingw/$exe.exe")
  done
  if (( ${#suites[@]} )); then
    if bash "$tools/prefix.sh"; then
      note "wine prefix" ok
      bash "$tools/with-display.sh" --private -- bash "$tools/test.sh" --wine-suites "${suites[@]}" 8>&- || true
      for exe in "${suites[@]}"; do
        name=$(basename "$exe" .exe)
        read -r status secs <"$logs/$name.status" || status=missing secs=0
        [[ $status == 0 ]] && note "$name.exe" ok "$secs" || note "$name.exe" "FAILED ($status)" "$secs"
        count_gtest "$logs/$name.log" "$status"
      done
    else
      note "wine prefix" FAILED; failed=$((failed + 1))
    fi
  fi
  # The window, a column, a dialog and a graph on a screen at 144 DPI, in a
  # prefix of its own: only the tests that look at sizes there.
  win_tests=$ZENTRIK_BUILD/mingw/zentrik_win_tests.exe
  if [[ -f $win_tests ]]; then
    step_start=$SECONDS
    if WINEPREFIX=$ZENTRIK_BUILD/wineprefix-dpi144 ZENTRIK_DPI=144 bash "$tools/prefix.sh"; then
      WINEPREFIX=$ZENTRIK_BUILD/wineprefix-dpi144 bash "$tools/with-display.sh" --private -- \
        bash "$tools/test.sh" --wine-run dpi144 "$win_tests" '--gtest_filter=Dpi144*' 8>&- || true
      read -r status secs <"$logs/dpi144.status" || status=missing secs=0
      # Skipped is not passed: at 144 DPI every one of them must run.
      if [[ $status == 0 ]] && ! grep -q '^\[  SKIPPED \]' "$logs/dpi144.log"; then
        note "144 DPI" ok "$secs"
      else
        note "144 DPI" "FAILED ($status)" "$secs"
        [[ $status == 0 ]] && failed=$((failed + 1))
      fi
      count_gtest "$logs/dpi144.log" "$status"
    else
      note "144 DPI prefix" FAILED; failed=$((failed + 1))
    fi
  fi
else
  note "cross build" FAILED; failed=$((failed + 1))
fi

say "summary ($((SECONDS - started)) s)"
printf '  %s\n' "${steps[@]}"
echo "zentrik: $passed passed, $failed failed"
(( failed == 0 && step_failed == 0 ))
