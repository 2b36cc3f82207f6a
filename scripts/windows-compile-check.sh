#!/bin/sh
# Compiles every translation unit of the program, its tests and its tools for
# Windows with MinGW-w64 (syntax only, warnings as errors) against the Qt 6
# headers, with the sources Qt generates taken from the Linux build. There is
# no Qt for MinGW among the packages this project can use, so this proves the
# Windows code compiles, not that it links or runs.
#
#   scripts/windows-compile-check.sh <source dir> <build dir>
set -u
source_dir=$1
build_dir=$2
compiler=${RIVONEL_MINGW_CXX:-x86_64-w64-mingw32-g++}
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)

# As the Linux build has them: Qt's modules, and the paths the tests are given.
flags="-std=c++20 -fsyntax-only -Werror -Wall -Wextra -Wpedantic -DUNICODE -D_UNICODE
 -DQT_NO_SIGNALS_SLOTS_KEYWORDS -DQT_NO_CAST_FROM_ASCII
 -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_TESTLIB_LIB -DQT_CONCURRENT_LIB
 -DZINC_SIM_PATH=\"zinc.exe\" -DSAVE_CHILD_PATH=\"save_child.exe\" -DRIVONEL_LANGUAGE_DIR=\"language\"
 -I$build_dir/generated"
# The core's units see what the build lets them see: core/ alone (and a
# windows.h that stops the compile); everything else sees the whole tree.
tree="-I$source_dir -I$source_dir/tests -I$source_dir/tools/zinc-sim"
core_tree="-I$build_dir/core-include"
[ -e "$build_dir/core-include/core" ] || core_tree="$core_tree -I$source_dir"
# Qt's own headers are system headers: their warnings are Qt's, not ours.
for module in "" QtCore QtGui QtWidgets QtTest QtConcurrent; do
    flags="$flags -isystem $qt/$module"
done
for include in $(find "$build_dir" -path '*_autogen/include' -type d | sort); do
    flags="$flags -I$include"
done

units=$(cd "$source_dir" && find core window platform win32 tools tests -name '*.cpp' 2>/dev/null | sort)
# The code moc generated for the window and the tests.
for test in $(cd "$source_dir/tests" && ls test_*.cpp | sed 's/\.cpp$//'); do
    units="$units $build_dir/tests/${test}_autogen/mocs_compilation.cpp"
done
units="$units $build_dir/rivonel_ui_autogen/mocs_compilation.cpp"

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
export compiler flags tree core_tree source_dir results
printf '%s\n' $units | xargs -P "$(nproc 2>/dev/null || echo 2)" -I{} sh -c '
    unit={}
    case $unit in /*) path=$unit ;; *) path=$source_dir/$unit ;; esac
    name=$(echo "$unit" | tr / _)
    case $unit in core/*) sees=$core_tree ;; *) sees=$tree ;; esac
    if $compiler $sees $flags "$path" >"$results/$name.out" 2>&1; then
        echo "PASS $unit" >"$results/$name.result"
    else
        echo "FAIL $unit" >"$results/$name.result"
    fi'
failed=0
passed=0
for result in "$results"/*.result; do
    read -r verdict unit <"$result"
    if [ "$verdict" = PASS ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $unit"
        head -n 20 "${result%.result}.out"
    fi
done
echo "windows compile: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
