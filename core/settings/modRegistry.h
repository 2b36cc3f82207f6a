// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/ProfileStore.h"
#include "core/settings/RegistryStore.h"

#include <QString>

#include <variant>

namespace rivonel {

// One typed value at a time, from a settings (INI) file or the registry. The
// location is a registry root abbreviation or the path of an existing file.
class modRegistry {
public:
    // Text, whole number or Boolean; a control's value reaches here as its
    // text (text and combo boxes) or its number (check boxes).
    using Value = std::variant<QString, qint64, bool>;

    static constexpr quint32 unknownLocation = 0;
    static constexpr quint32 settingsFile = 1;
    static constexpr qint32 statusOk = 0;
    static constexpr qint32 statusRefused = 99;

    modRegistry(RegistryStore &registry, ProfileStore &profiles);

    // A root key handle for "HKCU", "HKLM", "HKU", "HKDD", "HKCC", "HKCR" in any
    // case; settingsFile for a file the profile store takes as a settings
    // file; unknownLocation otherwise.
    quint32 RootFromName(const QString &location) const;

    // result gets defaultValue first, then the value read; returns a status
    // (0, 99, or a registry error code).
    qint32 ReadValue(const QString &location, const QString &keyPath, const QString &valueName,
                     const QString &valueType, const Value &defaultValue, Value &result) const;

    qint32 WriteValue(const QString &location, const QString &keyPath, const QString &valueName,
                      const QString &valueType, const Value &value) const;

    // "text", "42", "-1", "True", "False".
    static QString toText(const Value &value);

private:
    RegistryStore &m_registry;
    ProfileStore &m_profiles;
};

} // namespace rivonel
