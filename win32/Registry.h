// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The registry and the profile (INI) functions of Windows, one value at a
// time, in the system's 8-bit code page. Plain C++ over the Windows API.

#include <cstdint>
#include <string>

namespace rivonel::win32 {

// Registry status codes as the Windows API gives them (0 for success).
long openKey(std::uint32_t root, const std::string &keyPath);
long createKey(std::uint32_t root, const std::string &keyPath);
long queryValue(std::uint32_t root, const std::string &keyPath, const std::string &name,
                std::string &data);
long setValue(std::uint32_t root, const std::string &keyPath, const std::string &name,
              std::uint32_t type, const std::string &data);

// GetPrivateProfileStringA (at most 254 characters), GetPrivateProfileIntA
// and WritePrivateProfileStringA.
std::string profileString(const std::string &path, const std::string &section,
                          const std::string &key, const std::string &defaultValue);
int profileInt(const std::string &path, const std::string &section, const std::string &key,
               int defaultValue);
bool writeProfileString(const std::string &path, const std::string &section, const std::string &key,
                        const std::string &value);

} // namespace rivonel::win32
