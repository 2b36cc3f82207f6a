// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/ShownName.h"

#include <algorithm>

namespace rivonel {

namespace {

constexpr char16_t ellipsis = u'\u2026';
constexpr char16_t firstStrongIsolate = u'\u2068';
constexpr char16_t popDirectionalIsolate = u'\u2069';

bool explicitDirection(char16_t c)
{
    return (c >= u'\u202A' && c <= u'\u202E') || (c >= u'\u2066' && c <= u'\u2069');
}

// What stands for a character that would break the line, garble it or
// reorder it; the character itself otherwise.
char16_t symbolFor(char16_t c)
{
    if (c < 0x20 && c != u'\t')
        return char16_t(u'\u2400' + c); // the control pictures, in the same order
    if (c == 0x7F)
        return u'\u2421';
    // QPlainTextEdit starts a new line at either.
    if (c == u'\u2028' || c == u'\u2029')
        return u'\u2424';
    if ((c >= 0x80 && c <= 0x9F) || explicitDirection(c))
        return QChar::ReplacementCharacter;
    return c;
}

bool rightToLeft(char32_t c)
{
    switch (QChar::direction(c)) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
        return true;
    default:
        return false;
    }
}

// Appends part with each character shown as a symbol where it must be, and
// a surrogate without its other half as U+FFFD. Whether any of it is written
// right to left goes into rtl.
void appendShown(QString &shown, QStringView part, bool &rtl)
{
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char16_t c = part[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < part.size() && part[i + 1].isLowSurrogate()) {
            const char16_t low = part[++i].unicode();
            rtl = rtl || rightToLeft(QChar::surrogateToUcs4(c, low));
            shown += QChar(c);
            shown += QChar(low);
        } else if (QChar::isSurrogate(c)) {
            shown += QChar::ReplacementCharacter;
        } else {
            const char16_t symbol = symbolFor(c);
            rtl = rtl || rightToLeft(symbol);
            shown += QChar(symbol);
        }
    }
}

bool splitsPair(QStringView text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at - 1].isHighSurrogate() &&
           text[at].isLowSurrogate();
}

} // namespace

QString shownName(QStringView name, qsizetype longest)
{
    QString shown;
    bool rtl = false;
    if (name.size() <= longest) {
        shown.reserve(name.size() + 2);
        appendShown(shown, name, rtl);
    } else {
        // Cut before the symbols: each stands for one code unit.
        qsizetype head = std::max<qsizetype>(longest - 1, 0) / 2;
        qsizetype tail = name.size() - std::max<qsizetype>(longest - 1 - head, 0);
        if (splitsPair(name, head))
            --head;
        if (splitsPair(name, tail))
            ++tail;
        shown.reserve(longest + 2);
        appendShown(shown, name.first(head), rtl);
        shown += QChar(ellipsis);
        appendShown(shown, name.sliced(tail), rtl);
    }
    if (rtl)
        return QChar(firstStrongIsolate) + shown + QChar(popDirectionalIsolate);
    return shown;
}

} // namespace rivonel
