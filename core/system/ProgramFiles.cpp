// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/ProgramFiles.h"

namespace rivonel {

ProgramFiles ProgramFiles::of(const ProgramLocations &locations,
                              const PlatformConventions &platform)
{
    const auto settings = [&](const QString &name) {
        return platform.join(locations.settingsDirectory, name);
    };
    const auto run = [&](const QString &name) {
        return platform.join(locations.runDirectory, name);
    };
    return {locations.installed,
            locations.settingsDirectory,
            locations.runDirectory,
            settings(settingsFileName),
            settings(QStringLiteral("history.ini")),
            settings(QStringLiteral("game-options.ini")),
            run(QStringLiteral("archive-checks.json")),
            settings(QStringLiteral("rivonel-window.ini")),
            run(platform.launchScriptName),
            run(emulatorLogFileName),
            run(QStringLiteral("last-run.log")),
            locations.languageFolders,
            locations.snapFolders};
}

} // namespace rivonel
