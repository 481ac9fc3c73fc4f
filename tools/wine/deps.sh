#!/usr/bin/env bash
# Installs the Debian packages that the named jobs need, when missing.
# Usage: deps.sh [native] [fuzz] [cross] [wine] [shots] [dist] [cost]
set -euo pipefail

declare -A needs=(
  [native]="cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev"
  [fuzz]="cmake make clang libclang-rt-14-dev"
  [cross]="cmake make g++-mingw-w64-x86-64-posix googletest"
  [wine]="wine wine64 fonts-wine xvfb x11-utils fonts-wqy-microhei"
  [shots]="imagemagick"
  [dist]="zip unzip"
  [cost]="xdotool"
)

missing=()
for job in "$@"; do
  [[ -n ${needs[$job]:-} ]] || { echo "deps.sh: unknown job '$job'" >&2; exit 2; }
  for pkg in ${needs[$job]}; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      [[ " ${missing[*]} " == *" $pkg "* ]] || missing+=("$pkg")
    fi
  done
done
(( ${#missing[@]} )) || exit 0

echo "==> installing Debian packages: ${missing[*]}"
sudo=()
if (( EUID != 0 )); then
  command -v sudo >/dev/null || { echo "deps.sh: need root to install ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
apt_opts=(-y -q -o DPkg::Lock::Timeout=600)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" install "${missing[@]}"
