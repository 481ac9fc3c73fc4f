#!/usr/bin/env bash
# `make dist`: builds zentrik.exe (release, statically linked), strips it,
# checks what it imports, and packs it with README.txt into
# build/dist/zentrik-VERSION-win64.zip; then unpacks the zip into an empty
# folder and starts the program from there under Wine, to see that it needs
# nothing beside it. The version is the project's, from CMakeLists.txt.
set -euo pipefail
source "$(dirname "$0")/../wine/common.sh"
dist=$ZENTRIK_ROOT/tools/dist
# A prefix of its own, so that `make test` or `make run` meanwhile end none of this.
export WINEPREFIX=${ZENTRIK_DIST_PREFIX:-$ZENTRIK_BUILD/wineprefix-dist}

bash "$ZENTRIK_ROOT/tools/wine/deps.sh" cross wine dist
say "building zentrik.exe (build/mingw, release)"
bash "$ZENTRIK_ROOT/tools/wine/build.sh" mingw zentrik
exe=$ZENTRIK_BUILD/mingw/zentrik.exe

version=$(sed -nE 's/^CMAKE_PROJECT_VERSION:STATIC=(.+)$/\1/p' "$ZENTRIK_BUILD/mingw/CMakeCache.txt")
[[ -n $version ]] || { warn "no project version in build/mingw/CMakeCache.txt"; exit 1; }
name=zentrik-$version-win64
zip=$ZENTRIK_BUILD/dist/$name.zip

say "packing build/dist/$name.zip"
stage=$ZENTRIK_BUILD/dist/$name
rm -rf "$stage" "$zip"
mkdir -p "$stage"
# Without the symbols and debug sections of the libraries linked in.
x86_64-w64-mingw32-strip -o "$stage/zentrik.exe" "$exe"
bash "$dist/check_exe.sh" "$stage/zentrik.exe"
# Notepad of every Windows reads UTF-8 with a byte order mark and CRLF lines.
{ printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$dist/README.txt"; } \
  >"$stage/README.txt"
(cd "$stage" && zip -q -X "$zip" zentrik.exe README.txt)
rm -rf "$stage"
unzip -l "$zip"

say "starting zentrik.exe from the unpacked zip under Wine"
bash "$ZENTRIK_ROOT/tools/wine/prefix.sh"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
unzip -q "$zip" -d "$folder"
bash "$ZENTRIK_ROOT/tools/wine/with-display.sh" --private -- \
  bash "$dist/start_check.sh" "$folder/zentrik.exe"
say "build/dist/$name.zip is ready"
