// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/ProfileStore.h"

namespace rivonel {

// Settings files through Windows' own profile functions, one value at a time,
// in the system's 8-bit code page.
class WindowsProfileStore final : public ProfileStore {
public:
    // A file marked as the system's is never a settings file either.
    bool isSettingsFile(const QString &location) const override;
    QString readText(const QString &path, const QString &section, const QString &key,
                     const QString &defaultText) const override;
    int readNumber(const QString &path, const QString &section, const QString &key) const override;
    bool writeText(const QString &path, const QString &section, const QString &key,
                   const QString &value) override;
};

} // namespace rivonel
