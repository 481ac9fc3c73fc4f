# Shared by the scripts in tools/wine: repo paths, the Wine environment, and
# a private Xvfb display. Sourced, never run.
ZENTRIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ZENTRIK_BUILD=$ZENTRIK_ROOT/build
JOBS=$(nproc 2>/dev/null || echo 2)
# Builds started from `make` must not inherit its job server or its -w.
unset MAKEFLAGS MFLAGS MAKELEVEL

say() { printf '\n==> %s\n' "$*"; }
warn() { printf 'zentrik: %s\n' "$*" >&2; }

# The 64-bit loader, called directly: the program is 64-bit only, so wine32
# (and the i386 architecture) is not needed.
if [[ -x /usr/lib/wine/wine64 ]]; then
  WINE=/usr/lib/wine/wine64
else
  WINE=wine
fi
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No desktop menu entries in $HOME, no prompts for Mono or Gecko.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree,mshtml=}
export WINEPREFIX=${WINEPREFIX:-$ZENTRIK_BUILD/wineprefix}

# The sessions that weigh the program against Wine's task manager run in the
# language of the program's users: the peer then shows its Chinese translation
# and both draw the same script from the same fonts (in English the peer draws
# no Chinese glyph at all). ZENTRIK_COST_LANG=C.UTF-8 weighs it in English.
# A command, not a function: started in the background, its $! is Wine's.
IN_COST_LANGUAGE=(env "LANG=${ZENTRIK_COST_LANG:-zh_CN.UTF-8}" "LC_ALL=${ZENTRIK_COST_LANG:-zh_CN.UTF-8}")

# Starts Xvfb on the first free display and exports DISPLAY; XVFB_PID is set.
XVFB_PID=
start_xvfb() {
  local size=${ZENTRIK_SCREEN:-1024x768x24} numfile
  numfile=$(mktemp)
  # In a session of its own, so a Ctrl-C reaches the programs first and the
  # display outlives them until the cleanup.
  setsid Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local tries=0
  until [[ -s $numfile ]]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || (( ++tries > 100 )); then
      rm -f "$numfile"; warn "Xvfb did not start"; XVFB_PID=; return 1
    fi
    sleep 0.1
  done
  export DISPLAY=:$(tr -d '[:space:]' <"$numfile")
  rm -f "$numfile"
}

stop_xvfb() {
  if [[ -n $XVFB_PID ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# The PID of this prefix's wineserver (the one whose environment names the
# prefix), waiting a little for one that is starting; empty when none runs.
wineserver_pid() {
  local p tries
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    for p in /proc/[0-9]*; do
      [[ $(cat "$p/comm" 2>/dev/null) == wineserver* ]] || continue
      { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" \
        && { echo "${p#/proc/}"; return 0; }
    done
    sleep 0.2
  done
  return 0
}

# Ends every Wine process of this prefix (only ours use it) and its wineserver,
# and waits until the server has gone, so that a new session can start at once.
stop_wine() {
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$WINEPREFIX timeout 30 wineserver -w >/dev/null 2>&1 || true
}
