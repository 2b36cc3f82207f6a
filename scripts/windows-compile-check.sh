#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles every translation unit of the program, its tests and its tools for
# Windows with MinGW-w64 (syntax only, warnings as errors) against the Qt 6
# headers, with the sources Qt generates taken from the Linux build. There is
# no Qt for MinGW among the packages this project can use, so this proves the
# Windows code compiles, not that it links or runs.
#
# A unit that passed is remembered in <build dir>/windows-compile: it is
# compiled again only when it, a project, generated or moc header it includes,
# the flags or the toolchain (the compiler, its headers, Qt's headers) changed.
# A generated makefile does the bookkeeping: the compiler lists each unit's
# headers, and a unit's stamp is written only when it passes.
#
#   scripts/windows-compile-check.sh <source dir> <build dir>
set -u
source_dir=$1
build_dir=$2
compiler=${RIVONEL_MINGW_CXX:-x86_64-w64-mingw32-g++}
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
state=$build_dir/windows-compile
jobs=$(nproc 2>/dev/null || echo 2)

# As the Linux build has them: Qt's modules, and the paths the tests are given.
flags="-std=c++20 -fsyntax-only -Werror -Wall -Wextra -Wpedantic -DUNICODE -D_UNICODE
 -DQT_NO_SIGNALS_SLOTS_KEYWORDS -DQT_NO_CAST_FROM_ASCII
 -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_TESTLIB_LIB
 -DZINC_SIM_PATH=\"zinc.exe\" -DRIVONEL_PATH=\"rivonel.exe\" -DSAVE_CHILD_PATH=\"save_child.exe\" -DRIVONEL_LANGUAGE_DIR=\"language\"
 -I$build_dir/generated"
# Qt's own headers are system headers: their warnings are Qt's, not ours.
for module in "" QtCore QtGui QtWidgets QtTest; do
    flags="$flags -isystem $qt/$module"
done
# libzip's two headers, which hold nothing of Linux, for the one unit that
# reads zip archives; nothing else of /usr/include may reach MinGW.
zip_headers=$state/libzip-include
mkdir -p "$zip_headers"
for header in zip.h zipconf.h; do
    cp -p "${RIVONEL_LIBZIP_INCLUDE:-/usr/include}/$header" "$zip_headers/" 2>/dev/null
done
flags="$flags -isystem $zip_headers"
# SDL2's headers for the pads, with a configuration of their own: Debian's
# describes Linux, and these units use only SDL's portable declarations.
sdl_headers=$state/sdl2-include
mkdir -p "$sdl_headers"
cp -p "${RIVONEL_SDL2_INCLUDE:-/usr/include/SDL2}"/*.h "$sdl_headers/" 2>/dev/null
printf '%s\n' '/* For the syntax check with MinGW-w64 only. */' '#include "SDL_platform.h"' \
    '#define HAVE_STDARG_H 1' '#define HAVE_STDDEF_H 1' '#define HAVE_STDINT_H 1' >"$sdl_headers/SDL_config.new"
cmp -s "$sdl_headers/SDL_config.new" "$sdl_headers/SDL_config.h" && rm -f "$sdl_headers/SDL_config.new" ||
    mv "$sdl_headers/SDL_config.new" "$sdl_headers/SDL_config.h"
flags="$flags -isystem $sdl_headers"
for include in $(find "$build_dir" -path '*_autogen/include' -type d | sort); do
    flags="$flags -I$include"
done

# Each folder of the program sees what the build lets it see, its fence in
# <build dir>/fences (a core layer: itself and the layers below it, and a
# windows.h that stops the compile); the tests and tools see the whole tree.
tree="-I$source_dir -I$source_dir/tests -I$source_dir/tools/zinc-sim"
fences=$build_dir/fences
fence_of() {
    case $1 in
    core/*) layer=${1#core/}; echo "core-${layer%%/*}" ;;
    platform/* | win32/*) echo platform ;;
    window/*) echo window ;;
    *) echo tree ;;
    esac
}

# Every unit but those the Windows build leaves out (the Unix side of a class,
# and test_instance, which runs the Linux program and signals it).
units=$(cd "$source_dir" && find core window platform win32 tools tests -name '*.cpp' ! -name '*Posix.cpp' ! -name test_instance.cpp 2>/dev/null | sort)
# The code moc generated for the window and the tests.
for test in $(cd "$source_dir/tests" && ls test_*.cpp | sed 's/\.cpp$//'); do
    units="$units $build_dir/tests/${test}_autogen/mocs_compilation.cpp"
done
for library in $(cd "$build_dir" && ls -d rivonel_*_autogen 2>/dev/null); do
    [ -f "$build_dir/$library/mocs_compilation.cpp" ] &&
        units="$units $build_dir/$library/mocs_compilation.cpp"
done

mkdir -p "$state"
# Replaces a file with standard input only when that differs, so that its
# time changes, and every unit is checked again, only when its text does.
update() {
    cat >"$1.new" && if cmp -s "$1.new" "$1"; then rm -f "$1.new"; else mv "$1.new" "$1"; fi
}
# The flags as response files, one argument a line, quoted for the compiler:
# one a fence, and one for the rest.
quoted() { printf '%s\n' "$@" | sed 's/[\\"'\'' ]/\\&/g'; }
quoted $tree $flags | update "$state/flags-tree"
for fence in $(ls "$fences"); do
    seen="-I$fences/$fence"
    # Without the links the fence is empty: the tree stands in, unfenced.
    [ -n "$(ls "$fences/$fence")" ] || seen="$seen -I$source_dir"
    quoted $seen $flags | update "$state/flags-$fence"
done
# The toolchain: the compiler, and the system headers its dependency lists
# leave out (its own, MinGW's and Qt's), by their names, sizes and times.
system_dirs=$("$compiler" -xc++ -E -v - </dev/null 2>&1 |
    sed -n '/^#include <...> search starts here:/,/^End of search list/s/^ //p')
{
    "$compiler" --version
    ls -lL --full-time "$(command -v "$compiler")" "$("$compiler" -print-prog-name=cc1plus)"
    ls -lLR --full-time $system_dirs "$qt" | cksum
} 2>&1 | update "$state/toolchain"

# One stamp a unit, under source/ or build/ as the unit lies; "unit stamp" lines.
list=$state/units
for unit in $units; do
    case $unit in
    "$build_dir"/*) echo "$unit $state/build/${unit#"$build_dir"/}.ok" ;;
    *) echo "$unit $state/source/$unit.ok" ;;
    esac
done >"$list"

# A stamp is removed before its unit is compiled and written only when it
# passes, with the time the compile started, so that a file edited during the
# compile is newer; the header list is kept only then.
{
    printf 'check = mkdir -p $(@D) && rm -f $@ && touch $@.start && if %s @$(FLAGS) -MMD -MP -MF $@.d.new -MT $@ $< >$@.out 2>&1; then mv $@.d.new $@.d && mv $@.start $@; else rm -f $@.start; exit 1; fi\n' \
        "$compiler"
    echo "all:"
    while read -r unit stamp; do
        case $unit in /*) path=$unit ;; *) path=$source_dir/$unit ;; esac
        # A unit that is not there fails below, without a stamp.
        if [ ! -f "$path" ]; then
            rm -f "$stamp" "$stamp.out"
            continue
        fi
        unit_flags=$state/flags-$(fence_of "$unit")
        printf 'all: %s\n' "$stamp"
        printf '%s: FLAGS := %s\n' "$stamp" "$unit_flags"
        printf '%s: %s %s %s\n\t$(check)\n' "$stamp" "$path" "$unit_flags" "$state/toolchain"
        printf -- '-include %s.d\n' "$stamp"
    done <"$list"
} >"$state/Makefile"

touch "$state/started"
make -rR -k -s -j"$jobs" -f "$state/Makefile" >"$state/make.log" 2>&1
make_status=$?

# What a deleted or renamed unit left behind goes, so it cannot come back as
# passed with an older text.
find "$state/source" "$state/build" -type f 2>/dev/null |
    awk 'NR == FNR { keep[$2] = 1; next }
         { stem = $0; sub(/\.(d|d\.new|out|start)$/, "", stem); if (!(stem in keep)) print }' "$list" - |
    while read -r stale; do rm -f "$stale"; done

failed=0
passed=0
remembered=0
while read -r unit stamp; do
    if [ -f "$stamp" ]; then
        passed=$((passed + 1))
        [ "$stamp.out" -nt "$state/started" ] || remembered=$((remembered + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $unit"
        if [ -f "$stamp.out" ]; then
            head -n 20 "$stamp.out"
        else
            echo "not found"
        fi
    fi
done <"$list"
# A make that failed with every unit passed failed outside the compiles: say
# so rather than trust the stamps.
if [ "$make_status" -ne 0 ] && [ "$failed" -eq 0 ]; then
    cat "$state/make.log"
    failed=1
fi
echo "windows compile: $remembered remembered as passed, unchanged since"
echo "windows compile: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
