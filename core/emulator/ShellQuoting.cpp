#include "core/emulator/ShellQuoting.h"

namespace rivonel {

namespace {

bool plainFor(PlatformConventions::Shell shell, QChar c)
{
    if (c.isLetterOrNumber())
        return true;
    // Characters neither shell splits at, expands or redirects with; "=" and
    // "~" are left out for sh (assignments, home directories), "," ";" "="
    // for cmd, where they separate arguments.
    static const QString posix = QStringLiteral("_-./:+,@%");
    static const QString cmd = QStringLiteral("_-./:+@~\\");
    return (shell == PlatformConventions::Shell::Posix ? posix : cmd).contains(c);
}

} // namespace

QString shellQuoted(const PlatformConventions &platform, const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += QLatin1Char('"');
    for (const QChar c : text) {
        if (platform.shell == PlatformConventions::Shell::Posix) {
            if (c == u'$' || c == u'`' || c == u'\\' || c == u'"')
                escaped += QLatin1Char('\\');
            escaped += c;
        } else {
            escaped += c;
            if (c == u'%')
                escaped += c; // a batch file reads %% as one %
        }
    }
    escaped += QLatin1Char('"');
    return escaped;
}

QString shellWord(const PlatformConventions &platform, const QString &text)
{
    for (const QChar c : text)
        if (!plainFor(platform.shell, c))
            return shellQuoted(platform, text);
    return text;
}

} // namespace rivonel
