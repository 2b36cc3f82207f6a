#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the Windows zip in a Windows build tree and checks what a user who
# unpacks it finds: the program, its options, the languages, the marker that
# keeps it portable, the licence and the notices of every part linked into it.
#
#   scripts/zip-check.sh <Windows build dir> <zip name without .zip>
set -u
build=$1
name=$2
cmake --build "$build" --target windows-zip >/dev/null || { echo "FAIL: the zip is not packed"; exit 1; }
listing=$(cd "$build" && cmake -E tar tf "$name.zip") || { echo "FAIL: the zip does not list"; exit 1; }
failed=0
for file in rivonel.exe rivonel.ini portable.txt readme.txt LICENSE.txt notices.txt language/English.ini; do
    printf '%s\n' "$listing" | grep -qx "$name/$file" || { echo "FAIL: $file is not in the zip"; failed=1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cmake -E tar xf "$build/$name.zip") || { echo "FAIL: the zip does not unpack"; exit 1; }
grep -q "GNU GENERAL PUBLIC LICENSE" "$scratch/$name/LICENSE.txt" || { echo "FAIL: LICENSE.txt is not the GPL"; failed=1; }
# Each library the program links is named with its licence.
for part in "Qt 6" libzip zlib "SDL 2" MinGW-w64 "GCC 12 runtime"; do
    grep -q "$part" "$scratch/$name/notices.txt" || { echo "FAIL: notices.txt does not name $part"; failed=1; }
done
[ "$failed" -eq 0 ] && echo "the zip holds the program, its licence and the notices"
exit "$failed"
