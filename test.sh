#!/bin/sh
# Installs what is missing, builds Rivonel with its tests and runs them: all
# of them, or those that the arguments, passed on to ctest, pick:
#   ./test.sh -L unit          the tests labelled unit (see tests/CMakeLists.txt)
#   ./test.sh -R test_window   the tests whose name matches
set -eu
RIVONEL_SOURCE_DIR=$(cd "$(dirname "$0")" && pwd)
RIVONEL_BUILD_DIR="$RIVONEL_SOURCE_DIR/build"
. "$RIVONEL_SOURCE_DIR/scripts/deps.sh"

rivonel_install_deps
# Tests run on the same build that run.sh starts; here a warning fails the build.
# The fuzz targets build with clang in build/fuzz, as part of this build.
rivonel_build -DRIVONEL_WERROR=ON -DRIVONEL_BUILD_TESTS=ON -DRIVONEL_FUZZ_TESTS=ON
cd "$RIVONEL_BUILD_DIR"
ctest --output-on-failure "$@"
