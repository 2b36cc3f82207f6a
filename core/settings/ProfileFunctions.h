#pragma once

#include <QString>

namespace rivonel::profile {

// The three profile functions the settings layer needs, on the platform's
// own implementation on Windows and on the INI text functions elsewhere.

// The value of key in section of the file, or defaultValue when the file,
// the section or the key is missing (at most 254 characters).
QString readString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue);

// The value's leading whole number, or defaultValue when the key is missing;
// 0 when the value does not start with a number.
int readInt(const QString &path, const QString &section, const QString &key, int defaultValue);

// Sets the value; the file is replaced only once its new text is complete,
// keeping its permissions. False when it could not be written.
bool writeString(const QString &path, const QString &section, const QString &key,
                 const QString &value);

} // namespace rivonel::profile
