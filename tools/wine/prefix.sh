#!/usr/bin/env bash
# Creates the Wine prefix once ($WINEPREFIX, default build/wineprefix) and keeps
# its settings in step with tools/wine/zentrik.reg. A stamp file records what
# the prefix was made with, so later runs cost nothing.
# ZENTRIK_DPI=N (default 96) sets the screen's dots per inch ("LogPixels"); a
# prefix at another DPI is best kept apart from the others ($WINEPREFIX).
set -euo pipefail
source "$(dirname "$0")/common.sh"

dpi=${ZENTRIK_DPI:-96}
[[ $dpi =~ ^[1-9][0-9]*$ ]] || { warn "ZENTRIK_DPI must be a number, not '$dpi'"; exit 2; }
reg_source=$ZENTRIK_ROOT/tools/wine/zentrik.reg
stamp=$WINEPREFIX/.zentrik-stamp
want="$($WINE --version 2>/dev/null) $(sha256sum <"$reg_source" | cut -c1-16) dpi $dpi"

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[[ -f $stamp && $(<"$stamp") == "$want" ]] && exit 0

# Nothing here needs a window; keep wineboot off any display.
unset DISPLAY WAYLAND_DISPLAY

if [[ ! -f $stamp ]]; then
  say "creating Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  start=$SECONDS
  $WINE wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [[ -f $WINEPREFIX/system.reg ]] || { warn "wineboot did not create $WINEPREFIX"; exit 1; }
  echo "prefix created in $((SECONDS - start)) s"
fi

# Wine finds its own symbol font only inside the prefix; without it the
# caption buttons, scroll arrows and check marks show as letters.
if [[ -f /usr/share/wine/fonts/marlett.ttf ]]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

say "importing tools/wine/zentrik.reg"
reg_file=$WINEPREFIX/drive_c/zentrik-settings.reg
{
  printf '\xff\xfe'
  { cat "$reg_source"
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$dpi"
  } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$reg_file"
$WINE regedit /S 'C:\zentrik-settings.reg'
wineserver -w
grep -q 'WenQuanYi Micro Hei' "$WINEPREFIX/user.reg" || { warn "settings were not imported"; exit 1; }
echo "$want" >"$stamp"
