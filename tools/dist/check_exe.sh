#!/usr/bin/env bash
# Checks that a zentrik.exe can be copied alone to any Windows 7 or later:
# it imports only DLLs that every such system has (no MinGW runtime DLL, no
# Universal CRT, which Windows 7 lacks without updates) and that the system maps
# from its own folder whatever lies beside the program, and it carries the
# manifest in app/ as it is now.
# Usage: check_exe.sh [zentrik.exe]   (default build/mingw/zentrik.exe)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${1:-$root/build/mingw/zentrik.exe}
manifest=$root/app/zentrik.manifest
objdump=x86_64-w64-mingw32-objdump
objcopy=x86_64-w64-mingw32-objcopy

# The KnownDLLs of every Windows from 7 on, which the loader takes from System32
# before it looks anywhere else, and comctl32, which the manifest directs to the
# system's side-by-side store. Any other DLL, imported, would first be looked for
# in the program's folder (a version.dll planted beside it in Downloads would
# run, elevated after a restart as administrator): those are loaded by name.
allowed=" advapi32 clbcatq comctl32 comdlg32 difxapi gdi32 imagehlp imm32 kernel32
  msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32
  shlwapi user32 wldap32 ws2_32 "
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
  echo "$(basename "$exe") imports DLLs that are not the system's known DLLs: ${bad[*]}"
  failed=1
else
  echo "$(basename "$exe") imports only known system DLLs: $(paste -sd ' ' <<<"$dlls")"
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
