#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line answers with no display at all: a bad argument or an
# unknown game is exit code 2 with the usage on standard error, never an abort.
set -u
out=$(mktemp -d) && trap 'rm -rf "$out"' EXIT
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" $2 >"$out/1" 2>"$out/2"; }
fail() { echo "rivonel $1" >&2; cat "$out/1" "$out/2" >&2; exit 1; }
for bad in --bogus "--play pong" "--play 27" --json stray; do
    run "$1" "$bad"
    [ $? -eq 2 ] && grep -q '^Usage: rivonel' "$out/2" && [ ! -s "$out/1" ] || fail "$bad"
done
run "$1" --list && [ "$(grep -c . "$out/1")" -eq 27 ] && grep -q '^ 26  ' "$out/1" || fail --list
run "$1" "--list --json" && [ "$(grep -c '"romSet"' "$out/1")" -eq 26 ] || fail "--list --json"
