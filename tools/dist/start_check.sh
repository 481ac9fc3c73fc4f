#!/usr/bin/env bash
# Starts a zentrik.exe under Wine from the folder it is in and waits for its
# main window; passes when that window is up and, a few seconds later, the
# program still runs with no second window of its caption (an error box).
# Runs inside with-display.sh, which ends the program afterwards.
# Usage: start_check.sh path/to/zentrik.exe
set -euo pipefail
source "$(dirname "$0")/../wine/common.sh"

exe=${1:?usage: start_check.sh path/to/zentrik.exe}
caption='Windows 泽恩特'
limit=${ZENTRIK_DIST_START_SECONDS:-60}

# The program's top-level windows with that caption, as "WIDTHxHEIGHT" lines.
# (The prefix shows a virtual desktop, so they sit below the root's children.)
caption_windows() {
  xwininfo -root -tree 2>/dev/null \
    | grep -F "\"$caption\": (\"zentrik.exe\"" \
    | grep -oE '[0-9]+x[0-9]+\+' | tr -d '+' || true
}

cd "$(dirname "$exe")"
"$WINE" "$(basename "$exe")" &
pid=$!
start=$SECONDS
up=
while (( SECONDS - start < limit )); do
  if ! kill -0 "$pid" 2>/dev/null; then
    status=0; wait "$pid" || status=$?
    echo "zentrik.exe ended (status $status) before its main window appeared"
    exit 1
  fi
  # The main window cannot be smaller than 400 x 425; an error box is.
  for size in $(caption_windows); do
    if (( ${size%x*} >= 400 && ${size#*x} >= 425 )); then up=$size; fi
  done
  [[ -n $up ]] && break
  sleep 1
done
[[ -n $up ]] || { echo "zentrik.exe showed no main window within $limit s"; exit 1; }
echo "main window up after $((SECONDS - start)) s ($up)"

sleep 3
kill -0 "$pid" 2>/dev/null || { echo "zentrik.exe ended soon after showing its window"; exit 1; }
count=$(caption_windows | grep -c . || true)
(( count == 1 )) || { echo "zentrik.exe shows $count windows captioned \"$caption\" (an error box?)"; exit 1; }
echo "zentrik.exe runs"
