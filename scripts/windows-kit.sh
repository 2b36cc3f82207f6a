#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Windows kit that the cross build of Rivonel links against: a
# static Qt for MinGW-w64 (Core, Gui, Widgets, Test and the windows and
# offscreen platform plug-ins), with static zlib, libzip and SDL2 in the same
# prefix. Once: a later run finds the kit and returns at once.
#
#   scripts/windows-kit.sh           installs the kit if it is not there yet
#   scripts/windows-kit.sh --where   prints the kit's prefix, or fails when absent
#   scripts/windows-kit.sh --add-missing
#                                    adds to a kit the parts it lacks (a minute),
#                                    never Qt: nothing without a kit
#
# The kit lives outside the tree, in
#   ${RIVONEL_WINDOWS_KIT:-${XDG_CACHE_HOME:-~/.cache}/rivonel/qt-6.4.2-mingw-static}
# A ready Qt kit (a tarball of qt6-mingw/, as ../shared/windows-kit/ beside the
# source tree holds, or the one RIVONEL_WINDOWS_KIT_TARBALL names) is unpacked
# there; without one, Qt is built from Debian's source, which takes well over
# an hour on two cores. zlib, libzip and SDL2 are always built from Debian's
# source. A kit made before SDL2 joined it gets SDL2 added.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
qt_version=6.4.2
kit=${RIVONEL_WINDOWS_KIT:-${XDG_CACHE_HOME:-$HOME/.cache}/rivonel/qt-$qt_version-mingw-static}
# Written last: a kit without it is an interrupted install and starts over.
complete=$kit/rivonel-kit-complete
# SDL2 has a mark of its own, so that an older kit gains it without a rebuild.
sdl_complete=$kit/rivonel-kit-sdl2

if [ "${1:-}" = "--where" ]; then
    [ -f "$complete" ] && [ -f "$sdl_complete" ] || exit 1
    echo "$kit"
    exit 0
fi
if [ -f "$complete" ] && [ -f "$sdl_complete" ]; then
    echo "windows kit: found in $kit"
    exit 0
fi
if [ "${1:-}" = "--add-missing" ] && [ ! -f "$complete" ]; then
    exit 0
fi

jobs=$(nproc 2>/dev/null || echo 2)
work=$kit.work
log=$work/log
started=$(date +%s)
mkdir -p "$work"
: >"$log"

# Runs a step with its output in the log; on failure says "blocked" with the
# command and the log's last lines, and stops.
step() {
    echo "windows kit: $*"
    if ! "$@" >>"$log" 2>&1; then
        echo "blocked: $*" >&2
        tail -n 30 "$log" >&2
        exit 1
    fi
}

as_root=""
[ "$(id -u)" -eq 0 ] || as_root=sudo

# The build tools, and Debian's Qt of the same version for moc, rcc and uic.
packages="cmake ninja-build make perl dpkg-dev xz-utils g++-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools"
missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing="$missing $package"
done
if [ -n "$missing" ]; then
    step $as_root apt-get update
    step env DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y --no-install-recommends $missing
fi

# Source packages come from a deb-src entry for the machine's own suites, with
# the same addresses and keyring as its deb entries.
ensure_deb_src() {
    apt-cache showsrc zlib 2>/dev/null | grep -q '^Package:' && return 0
    entries=/etc/apt/sources.list.d/rivonel-deb-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed -n 's/^Types:.*\bdeb\b.*/Types: deb-src/; /^Types:\|^URIs:\|^Suites:\|^Components:\|^Signed-By:\|^$/p' \
            /etc/apt/sources.list.d/debian.sources
    elif [ -f /etc/apt/sources.list ]; then
        # One-line entries, written as deb822 entries of their own.
        sed -n 's/^deb \(\[signed-by=\([^]]*\)\] \)\?\([^ ]*\) \([^ ]*\) \(.*\)$/Types: deb-src\nURIs: \3\nSuites: \4\nComponents: \5\nSigned-By: \2\n/p' \
            /etc/apt/sources.list | sed '/^Signed-By: $/d'
    fi >"$work/deb-src.sources"
    if ! grep -q '^URIs:' "$work/deb-src.sources"; then
        echo "blocked: no deb entry in /etc/apt to derive a deb-src entry from" >&2
        exit 1
    fi
    step $as_root cp "$work/deb-src.sources" "$entries"
    step $as_root apt-get update
}

# Fetches a Debian source package into $work/<name> and prints its tree.
fetch_source() {
    rm -rf "${work:?}/$1" && mkdir -p "$work/$1"
    # A suite's updates may be missing from a mirror's source pool: then the
    # version of the release itself.
    suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if ! (cd "$work/$1" && apt-get source --download-only "$1") >>"$log" 2>&1; then
        (cd "$work/$1" && step apt-get source --download-only "$1/$suite") >&2
    fi
    orig=$(ls "$work/$1"/*.orig.tar.* | head -n 1)
    (cd "$work/$1" && step tar -xf "$orig") >&2
    find "$work/$1" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

if [ ! -f "$complete" ]; then
    ready=${RIVONEL_WINDOWS_KIT_TARBALL:-$source_dir/../shared/windows-kit/qt-$qt_version-mingw-static.tar.xz}
    rm -rf "$kit" && mkdir -p "$kit"
    if [ -f "$ready" ]; then
        step tar -xJf "$ready" -C "$kit" --strip-components=1
        grep -q "\"$qt_version\"" "$kit/lib/cmake/Qt6/Qt6ConfigVersionImpl.cmake" || {
            echo "blocked: $ready holds no Qt $qt_version" >&2
            exit 1
        }
    else
        ensure_deb_src
        qtbase=$(fetch_source qt6-base)
        # Its own copy of the toolchain, which the kit's Qt toolchain file loads.
        cp "$source_dir/cmake/mingw-w64.cmake" "$kit/mingw-w64.cmake"
        # What the program does not use is left out, to keep the build short.
        # Debian's source lacks the tablet header of the windows plug-in, and
        # with OpenGL off the plug-in still wants it unless dynamicgl is off too.
        step cmake -G Ninja -S "$qtbase" -B "$work/qt-build" \
            -DCMAKE_TOOLCHAIN_FILE="$kit/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$kit" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release \
            -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
            -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
            -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF \
            -DFEATURE_concurrent=OFF -DFEATURE_direct2d=OFF -DFEATURE_pdf=OFF \
            -DFEATURE_textodfwriter=OFF -DFEATURE_gif=OFF -DFEATURE_system_zlib=OFF \
            -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF
        step cmake --build "$work/qt-build" --parallel "$jobs"
        step cmake --install "$work/qt-build"
    fi
    qt_done=$(date +%s)

    # zlib and libzip, static, into the kit's prefix: the toolchain of a cross
    # build already searches it, so find_package(libzip) and pkg-config (with
    # PKG_CONFIG_LIBDIR=<kit>/lib/pkgconfig) find them there.
    ensure_deb_src
    zlib=$(fetch_source zlib)
    step sh -c "cd '$zlib' && CHOST=x86_64-w64-mingw32 ./configure --static --prefix='$kit'"
    step make -C "$zlib" -j"$jobs" libz.a
    step make -C "$zlib" install
    libzip=$(fetch_source libzip)
    step cmake -G Ninja -S "$libzip" -B "$work/libzip-build" \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" -DCMAKE_FIND_ROOT_PATH="$kit" \
        -DCMAKE_INSTALL_PREFIX="$kit" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
        -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF \
        -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
    step cmake --build "$work/libzip-build" --parallel "$jobs"
    step cmake --install "$work/libzip-build"
    # Its package leaves the static library's zlib for the user to find: find it.
    sed -i 's/^#include(CMakeFindDependencyMacro)/include(CMakeFindDependencyMacro)/
            s/^#find_dependency(ZLIB::ZLIB)/find_dependency(ZLIB)/' "$kit/lib/cmake/libzip/libzip-config.cmake"
    touch "$complete"
fi
qt_done=${qt_done:-$started}

# SDL2, static, for the game pads: only its joystick, game-controller and
# event subsystems are started. Its video part stays in the library (on
# Windows the joystick and haptic code use its helper window), audio,
# rendering and OpenGL stay out.
ensure_deb_src
sdl=$(fetch_source libsdl2)
step cmake -G Ninja -S "$sdl" -B "$work/sdl-build" \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$kit" \
    -DCMAKE_BUILD_TYPE=Release -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
    -DSDL_AUDIO=OFF -DSDL_RENDER=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF \
    -DSDL_POWER=OFF -DSDL_FILESYSTEM=OFF \
    -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_HAPTIC=ON -DSDL_SENSOR=ON -DSDL_LIBC=ON
step cmake --build "$work/sdl-build" --parallel "$jobs"
step cmake --install "$work/sdl-build"
rm -rf "$work"
touch "$sdl_complete"
finished=$(date +%s)
echo "windows kit: Qt in $((qt_done - started)) s, zlib, libzip and SDL2 in $((finished - qt_done)) s," \
    "$(du -sh "$kit" | cut -f1) in $kit"
