// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/PlatformConventions.h"

namespace rivonel {

PlatformConventions PlatformConventions::windows()
{
    return {Shell::Cmd,
            QStringLiteral("\\"),
            QStringLiteral("\r\n"),
            QStringLiteral("zinc.exe"),
            QStringLiteral("roda.bat"),
            QStringLiteral("cmd.exe"),
            Qt::CaseInsensitive};
}

PlatformConventions PlatformConventions::posix()
{
    return {Shell::Posix,           QStringLiteral("/"),       QStringLiteral("\n"),
            QStringLiteral("zinc"), QStringLiteral("roda.sh"), QStringLiteral("/bin/sh"),
            Qt::CaseSensitive};
}

PlatformConventions PlatformConventions::native()
{
#ifdef Q_OS_WIN
    return windows();
#else
    return posix();
#endif
}

QString PlatformConventions::join(const QString &directory, const QString &name) const
{
    return directory + separator + name;
}

} // namespace rivonel
