#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Rivonel needs to build, test and run, and only
# those that are missing. Sourced by run.sh and test.sh.

# The MinGW-w64 compiler and wine64 check the Windows build and run its
# Windows-only code (Ninja builds the Windows tree); the rest validates the
# menu entry and the metadata, and builds, checks and runs the Debian package
# on a virtual display. clang and its runtime libraries (libFuzzer, the
# sanitizers) build the fuzz targets. libzip checks the ROM archives;
# pkg-config finds it for the build. ccache keeps compiled units across
# builds and clones, so a fresh clone builds in minutes. SDL2 reads the game
# pads.
RIVONEL_PACKAGES="cmake g++ make ccache qt6-base-dev qt6-qpa-plugins libzip-dev libsdl2-dev pkgconf fonts-dejavu-core fonts-liberation2
 g++-mingw-w64-x86-64 wine64 ninja-build clang-14 libclang-rt-14-dev
 desktop-file-utils appstream lintian dpkg-dev file xvfb xauth xdotool"

rivonel_install_deps() {
    missing=""
    for package in $RIVONEL_PACKAGES; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
        [ "$status" = "installed" ] || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0

    echo "Installing missing packages:$missing"
    if [ "$(id -u)" -eq 0 ]; then
        as_root=""
    elif command -v sudo >/dev/null 2>&1; then
        as_root="sudo"
    else
        echo "These packages are missing and neither root nor sudo is available:$missing" >&2
        return 1
    fi
    $as_root apt-get update &&
        DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y --no-install-recommends $missing
}

# Configures and builds the Release tree in $RIVONEL_BUILD_DIR; extra
# arguments go to the configure step (options already cached are kept).
# Compiled units are shared between clones: ccache takes paths below the
# source folder as relative.
export CCACHE_BASEDIR="$RIVONEL_SOURCE_DIR" CCACHE_NOHASHDIR=true
rivonel_launcher="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"

rivonel_build() {
    # shellcheck disable=SC2086
    cmake -S "$RIVONEL_SOURCE_DIR" -B "$RIVONEL_BUILD_DIR" -DCMAKE_BUILD_TYPE=Release $rivonel_launcher "$@" >/dev/null &&
        cmake --build "$RIVONEL_BUILD_DIR" --parallel "$(nproc 2>/dev/null || echo 2)"
}

# Configures the Windows tree $2 against the kit in $1 (once, or again when the
# kit moved) and builds the program, its tools and its tests; warnings fail it.
rivonel_build_windows() {
    toolchain="$1/lib/cmake/Qt6/qt.toolchain.cmake"
    if ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$2/CMakeCache.txt" 2>/dev/null; then
        rm -rf "$2"
        # shellcheck disable=SC2086
        cmake -G Ninja -S "$RIVONEL_SOURCE_DIR" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$toolchain" $rivonel_launcher \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DCMAKE_BUILD_TYPE=Release -DRIVONEL_WERROR=ON -DRIVONEL_BUILD_TESTS=ON >/dev/null || return 1
    fi
    cmake --build "$2" --parallel "$(nproc 2>/dev/null || echo 2)"
}
