#include "core/settings/IniDocument.h"

#include "core/system/PlatformConventions.h"

#include <QFile>
#include <QFileInfo>
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

QString folded(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

// The section a header line opens, or nothing for other lines.
std::optional<QString> sectionOf(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

// The key of a "key=value" line (comments and other lines have none).
std::optional<QString> keyOf(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || line.trimmed().startsWith(u';'))
        return std::nullopt;
    return line.left(equals).trimmed();
}

QString cleanValue(const QString &raw)
{
    QString value = raw.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(IniDocument::maxValueLength);
}

} // namespace

IniDocument::IniDocument(const QString &newLineEnd) : m_lineEnd(newLineEnd)
{
}

IniDocument IniDocument::fromBytes(const QByteArray &bytes, const QString &newLineEnd)
{
    IniDocument document(newLineEnd);
    const bool utf8 = isUtf8(bytes);
    document.m_encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    const QString text = utf8 ? QString::fromUtf8(bytes) : fromCp1252(bytes);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        const bool crlf = c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
        document.m_lines.append(
            {text.mid(start, i - start), crlf ? QStringLiteral("\r\n") : QString(c)});
        if (crlf)
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        document.m_lines.append({text.mid(start), QString()});
    // New lines follow the file's own line ends.
    const auto ended = std::find_if(document.m_lines.cbegin(), document.m_lines.cend(),
                                    [](const Line &line) { return !line.end.isEmpty(); });
    if (ended != document.m_lines.cend())
        document.m_lineEnd = ended->end;
    document.index();
    return document;
}

IniDocument::Reading IniDocument::read(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {ReadStatus::Missing, IniDocument()};
    if (file.size() > maxFileSize)
        return {ReadStatus::TooLarge, IniDocument()};
    if (!file.open(QIODevice::ReadOnly))
        return {ReadStatus::Unreadable, IniDocument()};
    // Read no more than the limit, even from a file that grows meanwhile.
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return {ReadStatus::TooLarge, IniDocument()};
    return {ReadStatus::Read, fromBytes(bytes, PlatformConventions::native().lineEnd)};
}

QByteArray IniDocument::toBytes() const
{
    QString text;
    for (const Line &line : m_lines)
        text += line.content + line.end;
    if (m_encoding == Encoding::Windows1252)
        if (const auto bytes = toCp1252(text))
            return *bytes;
    return text.toUtf8();
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto found = m_sections.constFind(folded(section));
    if (found == m_sections.cend())
        return std::nullopt;
    const auto line = found->keys.constFind(folded(key));
    if (line == found->keys.cend())
        return std::nullopt;
    const QString &content = m_lines.at(*line).content;
    return cleanValue(content.mid(content.indexOf(u'=') + 1));
}

bool IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    if (value.contains(u'\n') || value.contains(u'\r') || value.contains(QChar(u'\0')))
        return false;
    const QString sectionName = folded(section);
    const auto found = m_sections.find(sectionName);
    if (found != m_sections.end()) {
        if (const auto line = found->keys.constFind(folded(key)); line != found->keys.cend()) {
            QString &content = m_lines[*line].content;
            content = content.left(content.indexOf(u'=') + 1) + value;
            return true;
        }
        const qsizetype last = found->lastEntry;
        if (m_lines[last].end.isEmpty())
            m_lines[last].end = m_lineEnd;
        m_lines.insert(last + 1, {key + u'=' + value, m_lineEnd});
        shiftAfter(last);
        found->lastEntry = last + 1;
        found->keys.insert(folded(key), last + 1);
        return true;
    }
    if (!m_lines.isEmpty() && m_lines.last().end.isEmpty())
        m_lines.last().end = m_lineEnd;
    m_lines.append({u'[' + section + u']', m_lineEnd});
    m_lines.append({key + u'=' + value, m_lineEnd});
    const qsizetype header = m_lines.size() - 2;
    m_sections.insert(sectionName, {header, header + 1, {{folded(key), header + 1}}});
    return true;
}

// Only the first section of a name counts, and in it the first line of a key.
void IniDocument::index()
{
    m_sections.clear();
    QString current;
    bool reading = false; // a later section of a name already seen is passed over
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString &content = m_lines.at(i).content;
        if (const auto name = sectionOf(content)) {
            current = folded(*name);
            reading = !m_sections.contains(current);
            if (reading)
                m_sections.insert(current, Section{i, i, {}});
            continue;
        }
        if (!reading)
            continue;
        Section &section = m_sections[current];
        if (!content.trimmed().isEmpty())
            section.lastEntry = i;
        if (const auto name = keyOf(content); name && !section.keys.contains(folded(*name)))
            section.keys.insert(folded(*name), i);
    }
}

// A line inserted after `line` moves every later line down by one.
void IniDocument::shiftAfter(qsizetype line)
{
    const auto shift = [line](qsizetype &at) {
        if (at > line)
            ++at;
    };
    for (Section &section : m_sections) {
        shift(section.header);
        shift(section.lastEntry);
        for (qsizetype &key : section.keys)
            shift(key);
    }
}

} // namespace rivonel
