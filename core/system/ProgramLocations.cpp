// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/ProgramLocations.h"

#include <QDir>
#include <QFileInfo>

namespace rivonel {

namespace {

QString environmentFolder(const char *name, const QString &fallback)
{
    const QString value = QString::fromLocal8Bit(qgetenv(name));
    // The XDG rules: only an absolute path counts.
    return QDir::isAbsolutePath(value) ? value : fallback;
}

} // namespace

UserFolders UserFolders::fromEnvironment()
{
#ifdef Q_OS_WIN
    const QString appData = QDir::toNativeSeparators(
        environmentFolder("APPDATA", QDir::homePath() + QStringLiteral("/AppData/Roaming")) +
        QStringLiteral("/Rivonel"));
    return {appData, appData, appData};
#else
    const QString home = QDir::homePath();
    const QString rivonel = QStringLiteral("/rivonel");
    return {environmentFolder("XDG_CONFIG_HOME", home + QStringLiteral("/.config")) + rivonel,
            environmentFolder("XDG_STATE_HOME", home + QStringLiteral("/.local/state")) + rivonel,
            environmentFolder("XDG_DATA_HOME", home + QStringLiteral("/.local/share")) + rivonel};
#endif
}

ProgramLocations ProgramLocations::portable(const QString &programDirectory,
                                            const PlatformConventions &platform)
{
    return {false,
            programDirectory,
            programDirectory,
            {platform.join(programDirectory, QStringLiteral("language"))},
            {platform.join(programDirectory, QStringLiteral("snap"))},
            {}};
}

ProgramLocations ProgramLocations::installedFor(const QString &executableDirectory,
                                                const UserFolders &user,
                                                const PlatformConventions &platform)
{
    const QString shipped = QDir::toNativeSeparators(
        QDir::cleanPath(executableDirectory + QStringLiteral("/../share/rivonel")));
    const auto both = [&](const char *folder) {
        const QString name = QString::fromLatin1(folder);
        return QStringList{platform.join(user.data, name), platform.join(shipped, name)};
    };
    return {true,         user.config,
            user.state,   both("language"),
            both("snap"), platform.join(shipped, QStringLiteral("rivonel.ini"))};
}

ProgramLocations ProgramLocations::choose(const QString &executableDirectory,
                                          const UserFolders &user,
                                          const PlatformConventions &platform)
{
    const auto beside = [&](const char *name) {
        return QFileInfo(platform.join(executableDirectory, QString::fromLatin1(name)));
    };
    if (beside("portable.txt").exists() || beside("language").isDir())
        return portable(executableDirectory, platform);
    const bool shipped =
        QFileInfo(QDir(executableDirectory).filePath(QStringLiteral("../share/rivonel"))).isDir();
    return shipped ? installedFor(executableDirectory, user, platform)
                   : portable(executableDirectory, platform);
}

QString firstExistingFile(const QStringList &folders, const QString &name,
                          const PlatformConventions &platform)
{
    for (const QString &folder : folders)
        if (QFileInfo::exists(platform.join(folder, name)))
            return platform.join(folder, name);
    return folders.isEmpty() ? name : platform.join(folders.first(), name);
}

} // namespace rivonel
