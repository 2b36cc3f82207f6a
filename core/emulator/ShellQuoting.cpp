// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/ShellQuoting.h"

#include "core/emulator/CmdLine.h"

namespace rivonel {

namespace {

// Characters sh neither splits at, expands nor redirects with; "=" and "~"
// are left out (assignments, home directories).
bool plainForSh(QChar c)
{
    static const QString plain = QStringLiteral("_-./:+,@%");
    return c.isLetterOrNumber() || plain.contains(c);
}

} // namespace

QString shellQuoted(const PlatformConventions &platform, const QString &text)
{
    if (platform.shell == PlatformConventions::Shell::Cmd)
        return QString::fromStdU16String(cmd::quoted(text.toStdU16String()));
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += QLatin1Char('"');
    for (const QChar c : text) {
        if (c == u'$' || c == u'`' || c == u'\\' || c == u'"')
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    escaped += QLatin1Char('"');
    return escaped;
}

QString shellWord(const PlatformConventions &platform, const QString &text)
{
    if (platform.shell == PlatformConventions::Shell::Cmd)
        return QString::fromStdU16String(cmd::word(text.toStdU16String()));
    for (const QChar c : text)
        if (!plainForSh(c))
            return shellQuoted(platform, text);
    return text;
}

} // namespace rivonel
