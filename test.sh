#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Rivonel with its tests and runs them: all
# of them, or those that the arguments, passed on to ctest, pick:
#   ./test.sh -L unit          the tests labelled unit (see tests/CMakeLists.txt)
#   ./test.sh -R test_form     the tests whose name matches
set -eu
RIVONEL_SOURCE_DIR=$(cd "$(dirname "$0")" && pwd)
RIVONEL_BUILD_DIR="$RIVONEL_SOURCE_DIR/build"
. "$RIVONEL_SOURCE_DIR/scripts/deps.sh"

rivonel_install_deps
# The Windows build, in build-win, when its kit is in the cache: its tests
# (label windows) run with the rest, and stand in for windows_compile. A kit
# made before a part joined it (SDL2) gets that part first.
sh "$RIVONEL_SOURCE_DIR/scripts/windows-kit.sh" --add-missing
if windows_kit=$(sh "$RIVONEL_SOURCE_DIR/scripts/windows-kit.sh" --where); then
    windows_build_dir="$RIVONEL_SOURCE_DIR/build-win"
else
    windows_build_dir=""
    echo "Windows tests skipped: the Windows kit is not built; scripts/windows-kit.sh builds it (an hour or more without a ready kit)."
fi
# Tests run on the same build that run.sh starts; here a warning fails the build.
# The fuzz targets build with clang in build/fuzz, as part of this build.
rivonel_build -DRIVONEL_WERROR=ON -DRIVONEL_BUILD_TESTS=ON -DRIVONEL_FUZZ_TESTS=ON \
    -DRIVONEL_WINDOWS_BUILD_DIR="$windows_build_dir"
[ -z "$windows_build_dir" ] || rivonel_build_windows "$windows_kit" "$windows_build_dir"
cd "$RIVONEL_BUILD_DIR"
ctest --output-on-failure "$@"
