// SPDX-License-Identifier: GPL-3.0-or-later
// IniDocument on any bytes, with a few edits: the file survives a read and a
// write byte for byte, an accepted value reads back as the class promises and
// leaves every other value alone, a refused one leaves the bytes alone, and
// the written file reads back with the same values.
#include "core/settings/IniDocument.h"
#include "FuzzInput.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

using namespace rivonel;
using namespace rivonel::fuzz;

namespace {

bool cannotStandOnALine(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(u'\0'));
}

// Names that read back as themselves: a ']' ends a section's name, an '='
// ends a key, and a key line that starts with ';' or '[' is a comment or a
// section.
bool readsBack(const QString &section, const QString &key)
{
    const QString trimmedKey = key.trimmed();
    return !cannotStandOnALine(section) && !cannotStandOnALine(key) && !section.contains(u']') &&
           !key.contains(u'=') && !trimmedKey.startsWith(u';') && !trimmedKey.startsWith(u'[');
}

// What reading a written value gives back.
QString asRead(const QString &value)
{
    QString read = value.trimmed();
    if (read.size() >= 2 && (read.front() == u'"' || read.front() == u'\'') &&
        read.back() == read.front())
        read = read.mid(1, read.size() - 2);
    return read.left(IniDocument::maxValueLength);
}

QString folded(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

using Entry = std::pair<QString, QString>; // section, key

// The section and key of each "key=value" line of the input, roughly as a
// reader sees them: names the edits can hit.
QList<Entry> entriesOf(const QByteArray &bytes)
{
    QList<Entry> entries;
    QString section;
    const QString text = QString::fromUtf8(bytes);
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'['))
            section = trimmed.mid(1, trimmed.indexOf(u']') - 1).toString();
        else if (const qsizetype equals = line.indexOf(u'='); equals >= 0)
            entries.append({section, line.left(equals).toString()});
    }
    return entries;
}

// A name read from the input, the same in capitals (letter by letter, as
// names are matched) with blanks after, or any.
QString pickName(FuzzInput &input, const QString &known)
{
    if (!input.flag())
        return input.text(12);
    if (input.flag())
        return known;
    QString capitals;
    for (const QChar c : known)
        capitals += c.toUpper();
    return capitals + QStringLiteral("  ");
}

QString pickValue(FuzzInput &input)
{
    QString value = input.text(24);
    switch (input.number(4)) {
    case 0:
        return u'"' + value + u'"';
    case 1:
        return QStringLiteral(" \t'") + value + QStringLiteral("' ");
    case 2: { // around the longest value read, never ending in half a surrogate pair
        value = value.repeated(1 + 300 / (value.size() + 1)).left(250 + input.number(10));
        if (!value.isEmpty() && value.back().isHighSurrogate())
            value.chop(1);
        return value;
    }
    default:
        return value;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniDocument document = IniDocument::fromBytes(bytes);
    FUZZ_CHECK(document.toBytes() == bytes);

    QList<Entry> entries = entriesOf(bytes);
    FuzzInput input(data, size);
    for (int edits = int(input.number(3)); edits > 0; --edits) {
        const Entry known =
            entries.isEmpty() ? Entry{} : entries.at(input.number(quint32(entries.size() - 1)));
        const QString section = pickName(input, known.first);
        const QString key = pickName(input, known.second);
        const QString value = pickValue(input);

        QList<std::optional<QString>> before;
        for (const auto &[s, k] : std::as_const(entries))
            before << document.value(s, k);
        const QByteArray written = document.toBytes();

        if (!document.setValue(section, key, value)) {
            FUZZ_CHECK(document.toBytes() == written);
            continue;
        }
        FUZZ_CHECK(!cannotStandOnALine(value));
        if (!readsBack(section, key))
            continue;
        FUZZ_CHECK(document.value(section, key) == asRead(value));
        for (qsizetype i = 0; i < entries.size(); ++i)
            if (folded(entries[i].first) != folded(section) ||
                folded(entries[i].second) != folded(key))
                FUZZ_CHECK(document.value(entries[i].first, entries[i].second) == before[i]);
        entries.append({section, key});
    }

    const QByteArray written = document.toBytes();
    const IniDocument reread = IniDocument::fromBytes(written);
    FUZZ_CHECK(reread.toBytes() == written);
    for (const auto &[section, key] : std::as_const(entries))
        FUZZ_CHECK(reread.value(section, key) == document.value(section, key));
    return 0;
}
