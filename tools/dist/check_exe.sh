#!/usr/bin/env bash
# Checks that a zentrik.exe can be copied alone to any Windows 7 or later:
# it imports only DLLs that every such system has (no MinGW runtime DLL, no
# Universal CRT, which Windows 7 lacks without updates), and it carries the
# manifest in app/ as it is now.
# Usage: check_exe.sh [zentrik.exe]   (default build/mingw/zentrik.exe)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${1:-$root/build/mingw/zentrik.exe}
manifest=$root/app/zentrik.manifest
objdump=x86_64-w64-mingw32-objdump
objcopy=x86_64-w64-mingw32-objcopy

# In System32 of every Windows from 7 on.
allowed=" advapi32 comctl32 comdlg32 dwmapi gdi32 imm32 iphlpapi kernel32 msvcrt ntdll
  ole32 oleaut32 powrprof psapi secur32 shell32 shlwapi user32 userenv uxtheme version
  winmm ws2_32 wtsapi32 "
allowed=${allowed//$'\n'/ }

[[ -f $exe ]] || { echo "check_exe.sh: $exe does not exist" >&2; exit 1; }
failed=0

dlls=$("$objdump" -p "$exe" | sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p')
[[ -n $dlls ]] || { echo "$exe: objdump lists no imported DLL"; exit 1; }
bad=()
while read -r dll; do
  name=${dll,,}
  name=${name%.dll}
  [[ $allowed == *" $name "* ]] || bad+=("$dll")
done <<<"$dlls"
if (( ${#bad[@]} )); then
  echo "$(basename "$exe") imports DLLs that Windows does not bring: ${bad[*]}"
  failed=1
else
  echo "$(basename "$exe") imports only system DLLs: $(paste -sd ' ' <<<"$dlls")"
fi

# The manifest is stored in the resources byte for byte.
hex() { od -An -tx1 -v | tr -d ' \n'; }
rsrc=$(mktemp)
trap 'rm -f "$rsrc"' EXIT
resources=
"$objcopy" -O binary --only-section=.rsrc "$exe" "$rsrc" 2>/dev/null && resources=$(hex <"$rsrc")
if [[ $resources == *"$(hex <"$manifest")"* ]]; then
  echo "$(basename "$exe") carries app/zentrik.manifest"
else
  echo "$(basename "$exe") does not carry app/zentrik.manifest as it is now"
  failed=1
fi
exit $failed
