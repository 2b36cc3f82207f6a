#include "core/settings/IniText.h"

#include <QList>
#include <QStringDecoder>

#include <array>

namespace rivonel::ini {

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

QByteArray toCp1252(const QString &text)
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
        bytes += at != cp1252High.end() ? static_cast<char>(0x80 + (at - cp1252High.begin())) : '?';
    }
    return bytes;
}

struct Line {
    QString content; // without its line end
    QString end;     // "\r\n", "\n", "\r" or "" for a last line without one
};

QList<Line> splitLines(const QString &text)
{
    QList<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        const bool crlf = c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
        lines.append({text.mid(start, i - start), crlf ? QStringLiteral("\r\n") : QString(c)});
        if (crlf)
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append({text.mid(start), QString()});
    return lines;
}

QString join(const QList<Line> &lines)
{
    QString text;
    for (const Line &line : lines)
        text += line.content + line.end;
    return text;
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
    const QString trimmed = line.trimmed();
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || trimmed.startsWith(u';'))
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString cleanValue(const QString &raw)
{
    QString value = raw.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(maxValueLength);
}

struct Place {
    qsizetype section = -1;   // header line of the first matching section
    qsizetype key = -1;       // line of the first matching key in it
    qsizetype lastEntry = -1; // last non-blank line of that section
};

Place find(const QList<Line> &lines, const QString &section, const QString &key)
{
    Place place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &content = lines.at(i).content;
        if (const auto name = sectionOf(content)) {
            if (place.section >= 0)
                break; // the first matching section has ended
            if (sameName(*name, section))
                place.section = place.lastEntry = i;
            continue;
        }
        if (place.section < 0)
            continue;
        if (!content.trimmed().isEmpty())
            place.lastEntry = i;
        const auto name = keyOf(content);
        if (place.key < 0 && name && sameName(*name, key))
            place.key = i;
    }
    return place;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    return isUtf8(bytes) ? QString::fromUtf8(bytes) : fromCp1252(bytes);
}

QByteArray encodeLike(const QString &text, const QByteArray &original)
{
    return isUtf8(original) ? text.toUtf8() : toCp1252(text);
}

std::optional<QString> read(const QString &text, const QString &section, const QString &key)
{
    const QList<Line> lines = splitLines(text);
    const Place place = find(lines, section, key);
    if (place.key < 0)
        return std::nullopt;
    const QString &line = lines.at(place.key).content;
    return cleanValue(line.mid(line.indexOf(u'=') + 1));
}

QString write(const QString &text, const QString &section, const QString &key, const QString &value,
              const QString &defaultLineEnd)
{
    QList<Line> lines = splitLines(text);
    // New lines follow the file's own line ends.
    QString lineEnd = defaultLineEnd;
    for (const Line &line : lines)
        if (!line.end.isEmpty()) {
            lineEnd = line.end;
            break;
        }

    const Place place = find(lines, section, key);
    if (place.key >= 0) {
        QString &line = lines[place.key].content;
        line = line.left(line.indexOf(u'=') + 1) + value;
    } else if (place.section >= 0) {
        Line &last = lines[place.lastEntry];
        if (last.end.isEmpty())
            last.end = lineEnd;
        lines.insert(place.lastEntry + 1, {key + u'=' + value, lineEnd});
    } else {
        if (!lines.isEmpty() && lines.last().end.isEmpty())
            lines.last().end = lineEnd;
        lines.append({u'[' + section + u']', lineEnd});
        lines.append({key + u'=' + value, lineEnd});
    }
    return join(lines);
}

} // namespace rivonel::ini
