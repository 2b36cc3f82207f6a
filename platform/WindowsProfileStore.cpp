// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowsProfileStore.h"

#include "win32/Registry.h"

#include <windows.h>

namespace rivonel {

namespace {

// Text in the system's 8-bit code page, as the profile functions take it.
std::string ansi(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

bool WindowsProfileStore::isSettingsFile(const QString &location) const
{
    if (!ProfileStore::isSettingsFile(location))
        return false;
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(location.utf16()));
    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_SYSTEM);
}

QString WindowsProfileStore::readText(const QString &path, const QString &section,
                                      const QString &key, const QString &defaultText) const
{
    return QString::fromLocal8Bit(
        win32::profileString(ansi(path), ansi(section), ansi(key), ansi(defaultText)));
}

int WindowsProfileStore::readNumber(const QString &path, const QString &section,
                                    const QString &key) const
{
    return win32::profileInt(ansi(path), ansi(section), ansi(key), 0);
}

bool WindowsProfileStore::writeText(const QString &path, const QString &section, const QString &key,
                                    const QString &value)
{
    return win32::writeProfileString(ansi(path), ansi(section), ansi(key), ansi(value));
}

} // namespace rivonel
