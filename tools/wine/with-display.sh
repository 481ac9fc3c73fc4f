#!/usr/bin/env bash
# Runs a command with an X display and cleans up after it.
# Usage: with-display.sh [--private] [--shots FILE] [--seconds N] -- command...
#   --private    always use a private Xvfb, even when $DISPLAY works (tests)
#   --shots F    on a private Xvfb, save a screenshot of the screen to F every
#                few seconds (ZENTRIK_SHOT_SECONDS, 3) and when --seconds ends it
#   --seconds N  end the command after N seconds (0: let it run)
# Without --private a working $DISPLAY is used as it is. At the end the Wine
# processes of $WINEPREFIX are ended and the Xvfb is stopped.
set -euo pipefail
source "$(dirname "$0")/common.sh"

private=0 shots= seconds=0
while (( $# )); do
  case $1 in
    --private) private=1 ;;
    --shots) shots=$2; shift ;;
    --seconds) seconds=$2; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
  shift
done
(( $# )) || { echo "usage: with-display.sh [--private] [--shots FILE] [--seconds N] -- command..." >&2; exit 2; }

cmd_pid= shots_pid=
snapshot() {
  import -window root "$shots.tmp.png" 2>/dev/null && mv -f "$shots.tmp.png" "$shots"
}
cleanup() {
  local rc=$?
  set +e
  trap - EXIT INT TERM HUP
  [[ -n $shots_pid ]] && { kill "$shots_pid" 2>/dev/null; wait "$shots_pid" 2>/dev/null; }
  [[ -n $cmd_pid ]] && kill "$cmd_pid" 2>/dev/null
  stop_wine
  stop_xvfb
  exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

if (( !private )) && [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  echo "using display $DISPLAY"
  shots=
else
  start_xvfb
  echo "started Xvfb on display $DISPLAY"
  if [[ -n $shots ]]; then
    mkdir -p "$(dirname "$shots")"
    echo "screenshots every ${ZENTRIK_SHOT_SECONDS:-3} s: $shots"
    ( trap - EXIT INT TERM HUP
      while sleep "${ZENTRIK_SHOT_SECONDS:-3}"; do snapshot || true; done ) &
    shots_pid=$!
  fi
fi

"$@" &
cmd_pid=$!
if (( seconds > 0 )); then
  end=$((SECONDS + seconds))
  while kill -0 "$cmd_pid" 2>/dev/null && (( SECONDS < end )); do sleep 1; done
  if kill -0 "$cmd_pid" 2>/dev/null; then
    # Time is up: a last picture of the program still running, then the
    # cleanup ends it. It has done what it was asked to.
    [[ -n $shots && -n $XVFB_PID ]] && { snapshot || true; }
    exit 0
  fi
fi
status=0
wait "$cmd_pid" || status=$?
cmd_pid=
exit $status
