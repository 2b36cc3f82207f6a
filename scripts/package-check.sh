#!/bin/sh
# Builds the Debian package, checks it with lintian, unpacks it into a scratch
# folder made read-only like /usr, and starts the program from there: it runs
# installed, its window opens on a virtual display, Enter plays a game with the
# substitute emulator, and the options land in the user's folder.
#
#   scripts/package-check.sh <build dir>      (prints "N passed, N failed")
set -u
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
passed=0
failed=0
check() {
    if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi
}

(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1)
deb=$(ls "$scratch"/package/rivonel_*.deb 2>/dev/null | head -n 1)
check "the package is built" '[ -n "$deb" ] || cat "$scratch/cpack.log"'
check "lintian finds no error" 'lintian --fail-on error "$deb" 2>/dev/null'
root=$scratch/root
check "the package unpacks" 'dpkg-deb -x "$deb" "$root"'

# The options it ships name a game the demo's substitute emulator can run.
sed -i "s|^RomPath=.*|RomPath=$build/demo/roms|; s|^ZincPath=.*|ZincPath=$build/demo/zinc|;
        s|^LastGame=.*|LastGame=1|" "$root/usr/share/rivonel/rivonel.ini"
chmod -R a-w "$root/usr"
touch "$scratch/unpacked"
export XDG_CONFIG_HOME="$scratch/config" XDG_STATE_HOME="$scratch/state" XDG_DATA_HOME="$scratch/data"
export ZINC_SIM_RUN_MS=300 ZINC_SIM_STAMP_FILE="$scratch/stamps"
rivonel=$root/usr/bin/rivonel

check "--version answers" '[ "$("$rivonel" --version)" = "Rivonel 0.0.3 for Zinc 0.9" ]'
check "--help answers" '"$rivonel" --help | grep -q "^Usage: rivonel"'
check "another argument is refused" '! QT_QPA_PLATFORM=offscreen "$rivonel" --play 2>/dev/null'

xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$1" >/dev/null 2>&1 &
    app=$!
    window=$(timeout 30 xdotool search --sync --name "^Rivonel " | head -n 1)
    if [ -n "$window" ]; then
        touch "$2/opened"
        xdotool windowfocus --sync "$window" key Return
        for i in $(seq 100); do grep -q "^end" "$2/stamps" 2>/dev/null && break; sleep 0.1; done
    fi
    kill "$app"' sh "$rivonel" "$scratch"
check "the window opens" '[ -f "$scratch/opened" ]'
check "Enter plays the game to its end" 'grep -q "^end" "$scratch/stamps" 2>/dev/null'
check "the options are in the user's folder" \
    'grep -q "^LastGame=1" "$XDG_CONFIG_HOME/rivonel/rivonel.ini" 2>/dev/null'
check "the launch script is in the user's state folder" '[ -f "$XDG_STATE_HOME/rivonel/roda.sh" ]'
check "nothing is written beside the program" '[ -z "$(find "$root" -newer "$scratch/unpacked")" ]'

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
