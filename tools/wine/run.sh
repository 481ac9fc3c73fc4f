#!/usr/bin/env bash
# `make run`: builds zentrik.exe and starts it under Wine, on $DISPLAY when that
# works, otherwise on a private Xvfb with a screenshot saved every few seconds.
# ZENTRIK_RUN_SECONDS=N ends the program after N seconds (0: run until it ends
# or Ctrl-C).
set -euo pipefail
source "$(dirname "$0")/common.sh"
# A prefix of its own, so that `make test` running meanwhile ends none of this.
export WINEPREFIX=${ZENTRIK_RUN_PREFIX:-$ZENTRIK_BUILD/wineprefix-run}

bash "$ZENTRIK_ROOT/tools/wine/deps.sh" cross wine shots
[[ -f $ZENTRIK_ROOT/app/main_win32.cpp ]] || { warn "app/main_win32.cpp does not exist yet"; exit 1; }
say "building zentrik.exe"
bash "$ZENTRIK_ROOT/tools/wine/build.sh" mingw zentrik
bash "$ZENTRIK_ROOT/tools/wine/prefix.sh"

say "starting zentrik.exe under Wine"
exec bash "$ZENTRIK_ROOT/tools/wine/with-display.sh" \
  --shots "$ZENTRIK_BUILD/shots/zentrik.png" --seconds "${ZENTRIK_RUN_SECONDS:-0}" \
  -- "$WINE" "$ZENTRIK_BUILD/mingw/zentrik.exe" "$@"
