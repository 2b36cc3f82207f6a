// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plain C++, so the Windows-only code and its tests can use it without Qt.

namespace rivonel {

// The language of the launch script: roda.bat for cmd, roda.sh for /bin/sh.
enum class ScriptShell { Cmd, Posix };

} // namespace rivonel
