// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/Registry.h"

#include <windows.h>

namespace rivonel::win32 {

namespace {

HKEY rootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

} // namespace

long openKey(std::uint32_t root, const std::string &keyPath)
{
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(rootKey(root), keyPath.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

long createKey(std::uint32_t root, const std::string &keyPath)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG status =
        RegCreateKeyExA(rootKey(root), keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, &key, &disposition);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    return status;
}

long queryValue(std::uint32_t root, const std::string &keyPath, const std::string &name,
                std::string &data)
{
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(rootKey(root), keyPath.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    DWORD size = 0;
    status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.resize(size);
        status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                  reinterpret_cast<LPBYTE>(data.data()), &size);
        data.resize(size);
    }
    RegCloseKey(key);
    return status;
}

long setValue(std::uint32_t root, const std::string &keyPath, const std::string &name,
              std::uint32_t type, const std::string &data)
{
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(rootKey(root), keyPath.c_str(), 0, KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS)
        return status;
    status = RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE *>(data.data()),
                            static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return status;
}

std::string profileString(const std::string &path, const std::string &section,
                          const std::string &key, const std::string &defaultValue)
{
    char buffer[255] = {};
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                             buffer, sizeof buffer, path.c_str());
    return std::string(buffer, n);
}

int profileInt(const std::string &path, const std::string &section, const std::string &key,
               int defaultValue)
{
    return static_cast<int>(
        GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, path.c_str()));
}

bool writeProfileString(const std::string &path, const std::string &section, const std::string &key,
                        const std::string &value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           0;
}

} // namespace rivonel::win32
