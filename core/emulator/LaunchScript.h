// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The launch script's whole text. Plain C++, so the Windows test that runs
// roda.bat under wine writes it with the program's own code.

#include "core/system/ScriptShell.h"

#include <string>
#include <string_view>

namespace rivonel {

// The script's one line, ended as its shell reads lines: CR LF for cmd, LF for sh.
std::u16string launchScriptText(ScriptShell shell, std::u16string_view line);

} // namespace rivonel
