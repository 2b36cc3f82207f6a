#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace rivonel {

// INI files as the Windows profile functions read and write them: section and
// key names match without regard to case or surrounding blanks, the first
// matching section and key win, values lose their surrounding blanks and one
// pair of surrounding quotes and are cut to 254 characters. Writing changes
// only the line of the value (or adds one) and keeps every other byte.
namespace ini {

inline constexpr int maxValueLength = 254;

// Text of a settings file: UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252, the code page such files were written in.
QString decode(const QByteArray &bytes);
// Encodes text for a file that was decoded from bytes (keeps its encoding).
QByteArray encodeLike(const QString &text, const QByteArray &original);

// The value of key in section, or nothing when either is absent.
std::optional<QString> read(const QString &text, const QString &section, const QString &key);

// The text with key in section set to value: replaced in place, appended at
// the end of its section, or appended with a new section at the end.
QString write(const QString &text, const QString &section, const QString &key, const QString &value,
              const QString &defaultLineEnd);

} // namespace ini

} // namespace rivonel
