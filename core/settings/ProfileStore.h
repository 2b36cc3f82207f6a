// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rivonel {

// The settings (INI) files modRegistry reads and writes one value at a time,
// by section and key: the system's profile functions on Windows, IniDocument
// elsewhere.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // Whether settings may be kept at the location: an existing file that is
    // neither hidden nor a folder.
    virtual bool isSettingsFile(const QString &location) const;

    // The value's text, cut to 254 characters as the profile functions cut
    // it; defaultText when the file has no such value.
    virtual QString readText(const QString &path, const QString &section, const QString &key,
                             const QString &defaultText) const = 0;
    // The value's leading whole number; 0 when it has none or is missing.
    virtual int readNumber(const QString &path, const QString &section,
                           const QString &key) const = 0;
    // False when the file could not be read or replaced, or the value cannot
    // be kept there.
    virtual bool writeText(const QString &path, const QString &section, const QString &key,
                           const QString &value) = 0;
};

// Settings files read and edited through IniDocument, which keeps their
// encoding and every byte not edited.
class IniProfileStore final : public ProfileStore {
public:
    QString readText(const QString &path, const QString &section, const QString &key,
                     const QString &defaultText) const override;
    int readNumber(const QString &path, const QString &section, const QString &key) const override;
    bool writeText(const QString &path, const QString &section, const QString &key,
                   const QString &value) override;
};

} // namespace rivonel
