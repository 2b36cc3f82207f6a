// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/IniDocument.h"

#include "core/system/PlatformConventions.h"
#include "core/system/SafeOpen.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace rivonel {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. Its five unused
// bytes stand for themselves, as Windows reads them, so any file survives
// being read and written back byte for byte.
constexpr std::array<char16_t, 32> cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

QString fromCp1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += (b >= 0x80 && b < 0xA0) ? QChar(cp1252High[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

// Nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> toCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        const auto at = std::find(cp1252High.begin(), cp1252High.end(), u);
        if (at == cp1252High.end())
            return std::nullopt;
        bytes += static_cast<char>(0x80 + (at - cp1252High.begin()));
    }
    return bytes;
}

QString folded(QStringView name)
{
    return name.trimmed().toString().toCaseFolded();
}

// The section a (trimmed) header line opens, or nothing for other lines.
std::optional<QStringView> sectionOf(QStringView trimmed)
{
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

// The key of a "key=value" line (comments and other lines have none).
std::optional<QStringView> keyOf(QStringView line, QStringView trimmed)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || trimmed.startsWith(u';'))
        return std::nullopt;
    return line.left(equals).trimmed();
}

// The end of the line that starts at `start`, without its line end.
qsizetype lineEnd(const QString &text, qsizetype start)
{
    qsizetype end = start;
    while (end < text.size() && text.at(end) != u'\n' && text.at(end) != u'\r')
        ++end;
    return end;
}

// The start of the next line after a line that ends (without its line end) at `end`.
qsizetype nextLine(const QString &text, qsizetype end)
{
    if (end < text.size() && text.at(end) == u'\r')
        ++end;
    else if (end < text.size())
        return end + 1;
    return end < text.size() && text.at(end) == u'\n' ? end + 1 : end;
}

QString unquoted(const QString &raw)
{
    QString value = raw.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

const QByteArray utf8ByteOrderMark("\xEF\xBB\xBF");

} // namespace

IniDocument::IniDocument(const QString &newLineEnd) : m_lineEnd(newLineEnd)
{
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes, const QString &newLineEnd)
{
    IniDocument document(newLineEnd);
    const bool utf8 = isUtf8(bytes);
    document.m_encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    // A mark an editor put first goes back first, and must not hide the first line.
    document.m_byteOrderMark = utf8 && bytes.startsWith(utf8ByteOrderMark);
    // A second mark is text: the decoder must not drop it as the file's own.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    document.m_text = utf8 ? decoder(QByteArrayView(bytes).sliced(
                                 document.m_byteOrderMark ? utf8ByteOrderMark.size() : 0))
                           : fromCp1252(bytes);
    // New lines follow the file's own line ends.
    const qsizetype firstEnd = lineEnd(document.m_text, 0);
    if (firstEnd < document.m_text.size())
        document.m_lineEnd =
            document.m_text.mid(firstEnd, nextLine(document.m_text, firstEnd) - firstEnd);
    document.index();
    return document;
}

IniDocument::Reading IniDocument::read(const QString &path)
{
    // Judged on what was opened, so nothing can be swapped in after a look.
    QFile file;
    switch (openRegularFile(path, file)) {
    case OpenResult::Opened:
        break;
    case OpenResult::Missing:
        return {ReadStatus::Missing, IniDocument()};
    case OpenResult::NotAFile:
        return {ReadStatus::NotAFile, IniDocument()};
    case OpenResult::Unreadable:
        return {ReadStatus::Unreadable, IniDocument()};
    }
    if (file.size() > maxFileSize)
        return {ReadStatus::TooLarge, IniDocument()};
    // Read no more than the limit, even from a file that grows meanwhile.
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return {ReadStatus::TooLarge, IniDocument()};
    return {ReadStatus::Read, fromBytes(bytes, PlatformConventions::native().lineEnd)};
}

QByteArray IniDocument::toBytes() const
{
    // An edit can take away the only bytes that were not UTF-8; the file
    // would then read as UTF-8 and its other letters change meaning, so it
    // moves to UTF-8 as when Windows-1252 cannot hold a value.
    if (m_encoding == Encoding::Windows1252)
        if (const auto bytes = toCp1252(m_text); bytes && (!isUtf8(*bytes) || isAscii(*bytes)))
            return *bytes;
    return m_byteOrderMark ? utf8ByteOrderMark + m_text.toUtf8() : m_text.toUtf8();
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto full = fullValue(section, key);
    return full ? std::optional(full->left(maxValueLength)) : std::nullopt;
}

std::optional<QString> IniDocument::fullValue(const QString &section, const QString &key) const
{
    const auto found = m_sections.constFind(folded(section));
    if (found == m_sections.cend())
        return std::nullopt;
    const auto line = found->keys.constFind(folded(key));
    if (line == found->keys.cend())
        return std::nullopt;
    const QStringView content = QStringView(m_text).mid(*line, lineEnd(m_text, *line) - *line);
    return unquoted(content.mid(content.indexOf(u'=') + 1).toString());
}

// A save makes a few dozen edits: a value replaced in place moves the index
// past its place rather than reading the whole text again.
bool IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    if (value.contains(u'\n') || value.contains(u'\r') || value.contains(QChar(u'\0')))
        return false;
    const QString sectionName = folded(section);
    const QString keyName = folded(key);
    const auto found = m_sections.find(sectionName);
    if (found != m_sections.end()) {
        if (const auto line = found->keys.constFind(keyName); line != found->keys.cend()) {
            const qsizetype valueStart = m_text.indexOf(u'=', *line) + 1;
            const qsizetype oldLength = lineEnd(m_text, *line) - valueStart;
            // The same value again changes nothing and so copies nothing.
            if (QStringView(m_text).mid(valueStart, oldLength) == value)
                return true;
            m_text.replace(valueStart, oldLength, value);
            shiftFrom(valueStart, value.size() - oldLength);
            return true;
        }
        // After the section's last entry, before any blank lines.
        const qsizetype at = found->afterLastEntry;
        m_text.insert(at, (found->lastEntryEnded ? QString() : m_lineEnd) + key + u'=' + value +
                              m_lineEnd);
    } else {
        // A new section at the end, after a line end of its own.
        if (!m_text.isEmpty() && !m_text.endsWith(u'\n') && !m_text.endsWith(u'\r'))
            m_text += m_lineEnd;
        m_text += u'[' + section + u']' + m_lineEnd + key + u'=' + value + m_lineEnd;
    }
    // A new line can join the line end before it or change how what follows
    // reads: the whole text is indexed again. A save adds lines only the
    // first time; after that its edits replace values in place.
    index();
    return true;
}

void IniDocument::removeValue(const QString &section, const QString &key)
{
    const QString sectionName = folded(section);
    const QString keyName = folded(key);
    bool removed = false;
    // A later line of the same key would take the removed one's place.
    for (auto found = m_sections.constFind(sectionName);
         found != m_sections.cend() && found->keys.contains(keyName);
         found = m_sections.constFind(sectionName)) {
        const qsizetype start = found->keys.value(keyName);
        m_text.remove(start, nextLine(m_text, lineEnd(m_text, start)) - start);
        index();
        removed = true;
    }
    const auto found = m_sections.constFind(sectionName);
    if (!removed || found == m_sections.cend())
        return;
    const qsizetype afterHeader = nextLine(m_text, lineEnd(m_text, found->header));
    // A later section of the name would take the empty one's place, and bring
    // what it holds to life: the header stays.
    bool later = false;
    for (qsizetype start = afterHeader; start < m_text.size() && !later;) {
        const qsizetype end = lineEnd(m_text, start);
        const auto name = sectionOf(QStringView(m_text).mid(start, end - start).trimmed());
        later = name && folded(*name) == sectionName;
        start = nextLine(m_text, end);
    }
    if (found->afterLastEntry == afterHeader && !later) {
        m_text.remove(found->header, afterHeader - found->header);
        index();
    }
}

void IniDocument::shiftFrom(qsizetype at, qsizetype delta)
{
    if (delta == 0)
        return;
    for (Section &section : m_sections) {
        if (section.afterLastEntry >= at)
            section.afterLastEntry += delta;
        if (section.header >= at)
            section.header += delta;
        for (qsizetype &start : section.keys)
            if (start >= at)
                start += delta;
    }
}

// Only the first section of a name counts, and in it the first line of a key.
void IniDocument::index()
{
    m_sections.clear();
    QString current;
    bool reading = false; // nothing before any section, or in a later one of a name seen
    for (qsizetype start = 0; start < m_text.size();) {
        const qsizetype end = lineEnd(m_text, start);
        const qsizetype next = nextLine(m_text, end);
        const QStringView line = QStringView(m_text).mid(start, end - start);
        const QStringView trimmed = line.trimmed();
        if (const auto name = sectionOf(trimmed)) {
            current = folded(*name);
            reading = !m_sections.contains(current);
            if (reading)
                m_sections.insert(current, Section{start, next, end < next, {}});
        } else if (reading && !trimmed.isEmpty()) {
            Section &section = m_sections[current];
            section.afterLastEntry = next;
            section.lastEntryEnded = end < next;
            if (const auto key = keyOf(line, trimmed)) {
                const QString name = folded(*key);
                if (!section.keys.contains(name))
                    section.keys.insert(name, start);
            }
        }
        start = next;
    }
}

} // namespace rivonel
