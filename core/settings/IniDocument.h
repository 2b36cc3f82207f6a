// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace rivonel {

// An INI file, read once and edited in memory, as the Windows profile
// functions read and write it: section and key names match without regard to
// case or surrounding blanks, the first matching section and key win, values
// lose their surrounding blanks and one pair of surrounding quotes and are cut
// to 254 characters. Writing changes only the line of the value (or adds one)
// and keeps every other byte.
class IniDocument {
public:
    static constexpr int maxValueLength = 254;
    // Real settings and language files are a few KiB; larger ones are not read.
    static constexpr qint64 maxFileSize = 2 * 1024 * 1024;

    // UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252, the code
    // page such files were written in. Either way every byte survives a
    // read and a write.
    enum class Encoding { Utf8, Windows1252 };

    // NotAFile: a folder, a FIFO, a device: never read, and never waited on.
    enum class ReadStatus { Read, Missing, NotAFile, TooLarge, Unreadable };
    struct Reading;

    // An empty document; new lines end with newLineEnd until the text has a
    // line end of its own.
    explicit IniDocument(const QString &newLineEnd = QStringLiteral("\n"));
    static IniDocument fromBytes(const QByteArray &bytes,
                                 const QString &newLineEnd = QStringLiteral("\n"));
    static Reading read(const QString &path);

    // In the file's encoding; a value that Windows-1252 cannot hold moves the
    // whole file to UTF-8, which keeps the meaning of every other value.
    QByteArray toBytes() const;
    Encoding encoding() const { return m_encoding; }
    // Whether two documents write the same bytes.
    bool writesSameAs(const IniDocument &other) const
    {
        return m_encoding == other.m_encoding && m_byteOrderMark == other.m_byteOrderMark &&
               m_text == other.m_text;
    }

    std::optional<QString> value(const QString &section, const QString &key) const;
    // The value as stored, not cut to maxValueLength.
    std::optional<QString> fullValue(const QString &section, const QString &key) const;
    // Replaced in place, added after the last line of its section, or added
    // with a new section at the end. A value that cannot stand on one line
    // (a line break, a NUL) is refused and the document left as it was.
    [[nodiscard]] bool setValue(const QString &section, const QString &key, const QString &value);
    // Takes the key's lines out of the first section of that name, and the
    // section's header with them when nothing but blank lines is left in it.
    void removeValue(const QString &section, const QString &key);

private:
    // Where things are in the text, as character offsets.
    struct Section {
        qsizetype header = 0;           // the start of its header line
        qsizetype afterLastEntry = 0;   // the start of the line after its last non-blank line
        bool lastEntryEnded = true;     // that line has a line end
        QHash<QString, qsizetype> keys; // the start of each key's first line, by folded name
    };

    void index();
    // Keeps the index true after the text changed at `at` by `delta` characters.
    void shiftFrom(qsizetype at, qsizetype delta);

    QString m_text;
    bool m_byteOrderMark = false;       // the UTF-8 file began with one; it is not part of the text
    QHash<QString, Section> m_sections; // the first section of each folded name
    Encoding m_encoding = Encoding::Utf8;
    QString m_lineEnd;
};

struct IniDocument::Reading {
    ReadStatus status;
    IniDocument document; // empty unless read
};

} // namespace rivonel
