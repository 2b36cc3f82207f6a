// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameShortcut.h"

#include "core/system/WholeFile.h"
#ifdef Q_OS_WIN
#include "win32/ShellLink.h"
#endif

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rivonel {

namespace {

// One argument of a desktop entry's Exec line: quoted when it holds a
// character the launcher would read otherwise, with the escapes the quotes
// and the field codes need.
QString execArgument(const QString &argument)
{
    const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quoted = argument.isEmpty();
    for (const QChar c : argument)
        quoted = quoted || reserved.contains(c);
    QString text;
    for (const QChar c : argument) {
        if (quoted && QStringLiteral("\"`$\\").contains(c))
            text += u'\\';
        text += c == u'%' ? QStringLiteral("%%") : QString(c);
    }
    return quoted ? u'"' + text + u'"' : text;
}

// A desktop entry's value: its own escapes come on top of the Exec quoting.
QString entryValue(QString value)
{
    return value.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\r', QStringLiteral("\\r"));
}

} // namespace

bool gameShortcutsSupported()
{
    return true;
}

// In the user's own menu: the applications folder, or the Start menu's
// programs on Windows.
QString gameShortcutPath(const QString &game)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty())
        return {};
#ifdef Q_OS_WIN
    return folder + QStringLiteral("/Rivonel play ") + game + QStringLiteral(".lnk");
#else
    return folder + QStringLiteral("/example.rivonel.Rivonel.play_") + game +
           QStringLiteral(".desktop");
#endif
}

QByteArray desktopEntryText(const QString &program, const QString &title, const QString &game)
{
    const QString exec = execArgument(program) + QStringLiteral(" --play ") + execArgument(game);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Icon=example.rivonel.Rivonel\n"
                          "Terminal=false\n"
                          "Categories=Game;ArcadeGame;\n")
        .arg(entryValue(title), entryValue(exec))
        .toUtf8();
}

QString writeGameShortcut(const QString &program, const QString &title, const QString &game)
{
    if (!gameShortcutsSupported())
        return {};
    const QString path = gameShortcutPath(game);
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return {};
#ifdef Q_OS_WIN
    const bool written = win32::writeShellLink(QDir::toNativeSeparators(path).toStdWString(),
                                               QDir::toNativeSeparators(program).toStdWString(),
                                               (QStringLiteral("--play ") + game).toStdWString(),
                                               title.toStdWString());
#else
    const bool written = writeFileAnew(path, desktopEntryText(program, title, game));
#endif
    return written ? path : QString();
}

} // namespace rivonel
