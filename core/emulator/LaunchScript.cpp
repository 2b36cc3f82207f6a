// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/LaunchScript.h"

#include "core/emulator/CmdLine.h"

namespace rivonel {

std::u16string launchScriptText(ScriptShell shell, std::u16string_view line)
{
    if (shell == ScriptShell::Cmd)
        return cmd::batchText(line);
    return std::u16string(line) + u'\n';
}

} // namespace rivonel
