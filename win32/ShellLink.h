// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A Windows shortcut (.lnk) through the shell's own interface. Plain C++
// over the Windows API.

#include <string>

namespace rivonel::win32 {

// Writes the shortcut at path: it starts target with arguments, described
// by description. False when it could not be written.
bool writeShellLink(const std::wstring &path, const std::wstring &target,
                    const std::wstring &arguments, const std::wstring &description);

} // namespace rivonel::win32
