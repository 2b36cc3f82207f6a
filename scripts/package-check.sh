#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, checks it with lintian, unpacks it into a scratch
# folder made read-only like /usr, and starts the program from there: it runs
# installed, its window opens on a virtual display, Enter plays a game with the
# substitute emulator, and the options land in the user's folder. Then the same
# with `cmake --install` into a prefix the user owns (as ~/.local), which an
# installed copy must not take for a portable one because it can write there.
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
check "the package is built" '[ -n "$deb" ] || { cat "$scratch/cpack.log"; false; }'
check "lintian finds no error nor warning" 'lintian --fail-on error,warning "$deb" 2>/dev/null'
root=$scratch/root
check "the package unpacks" 'dpkg-deb -x "$deb" "$root"'

check "the manual page is packaged" '[ -f "$root/usr/share/man/man1/rivonel.1.gz" ]'
# Free software under the GPL 3 or later, said where Debian and the software
# centres look for it.
check "the copyright file is machine-readable and grants the GPL 3 or later" \
    'grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$root/usr/share/doc/rivonel/copyright" &&
     grep -qx "License: GPL-3+" "$root/usr/share/doc/rivonel/copyright"'
check "the metadata names the licence" \
    'grep -q "<project_license>GPL-3.0-or-later</project_license>" "$root/usr/share/metainfo/"*.metainfo.xml'

# The options it ships name a game the demo's substitute emulator can run.
aim_at_demo() {
    sed -i "s|^RomPath=.*|RomPath=$build/demo/roms|; s|^ZincPath=.*|ZincPath=$build/demo/zinc|;
            s|^LastGame=.*|LastGame=1|" "$1/share/rivonel/rivonel.ini"
}
aim_at_demo "$root/usr"
chmod -R a-w "$root/usr"
export XDG_CONFIG_HOME="$scratch/config" XDG_STATE_HOME="$scratch/state" XDG_DATA_HOME="$scratch/data"
export ZINC_SIM_RUN_MS=300
rivonel=$root/usr/bin/rivonel

check "--version answers" '[ "$("$rivonel" --version)" = "Rivonel 0.0.3 for Zinc 0.9" ]'
check "--help answers" '"$rivonel" --help | grep -q "^Usage: rivonel"'
check "another argument is refused" '! QT_QPA_PLATFORM=offscreen "$rivonel" --play 2>/dev/null'

# Starts the program $1 on a virtual display, presses Enter and waits for the
# substitute emulator's end (stamped in $2/stamps); $2/opened tells the window opened.
play_once() {
    ZINC_SIM_STAMP_FILE="$2/stamps" xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
        "$1" >/dev/null 2>&1 &
        app=$!
        window=$(timeout 30 xdotool search --sync --name "^Rivonel " | head -n 1)
        if [ -n "$window" ]; then
            touch "$2/opened"
            xdotool windowfocus --sync "$window" key Return
            for i in $(seq 100); do grep -q "^end" "$2/stamps" 2>/dev/null && break; sleep 0.1; done
        fi
        # An orderly end, let finish before the display goes.
        kill "$app"
        wait "$app"' sh "$1" "$2"
}

# Plays once from the installed tree $tree (its program in bin/), stamped in
# $run, and checks where the files went; $what names the tree.
check_installed_run() {
    play_once "$tree/bin/rivonel" "$run"
    check "$what: the window opens" '[ -f "$run/opened" ]'
    check "$what: Enter plays the game to its end" 'grep -q "^end" "$run/stamps" 2>/dev/null'
    check "$what: the options are in the user's folder" \
        'grep -q "^LastGame=1" "$XDG_CONFIG_HOME/rivonel/rivonel.ini" 2>/dev/null'
    # The launch script is made there, and goes with the orderly end a kill now is.
    check "$what: the run's folder is the user's state folder, left clean" \
        '[ -d "$XDG_STATE_HOME/rivonel" ] && [ ! -e "$XDG_STATE_HOME/rivonel/roda.sh" ]'
    check "$what: nothing is written beside the program" \
        '[ -z "$(find "$tree" -newer "$run/installed")" ]'
}

tree=$root/usr run=$scratch/package-run what=package
mkdir -p "$run" && touch "$run/installed"
check_installed_run

# The same from a prefix the user owns and can write.
prefix=$scratch/home/.local
check "cmake installs into a user's prefix" \
    'cmake --install "$build" --prefix "$prefix" >"$scratch/log" 2>&1 || { cat "$scratch/log"; false; }'
check "the manual page is installed" '[ -f "$prefix/share/man/man1/rivonel.1.gz" ]'
check "the licence is installed" 'grep -qx "License: GPL-3+" "$prefix/share/doc/rivonel/copyright"'
aim_at_demo "$prefix"
export XDG_CONFIG_HOME="$scratch/home/config" XDG_STATE_HOME="$scratch/home/state"
export XDG_DATA_HOME="$scratch/home/data"
tree=$prefix run=$scratch/prefix-run what="user's prefix"
mkdir -p "$run" && touch "$run/installed"
check_installed_run

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
