#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Rivonel and starts it from its program directory.
set -eu
RIVONEL_SOURCE_DIR=$(cd "$(dirname "$0")" && pwd)
RIVONEL_BUILD_DIR="$RIVONEL_SOURCE_DIR/build"
. "$RIVONEL_SOURCE_DIR/scripts/deps.sh"

rivonel_install_deps
rivonel_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Rivonel is built but there is no display to show it on; start it from a desktop session, or without one: xvfb-run ./run.sh" >&2
    exit 1
fi

cd "$RIVONEL_BUILD_DIR/rivonel"
exec ./rivonel "$@"
