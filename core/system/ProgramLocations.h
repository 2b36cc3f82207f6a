// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/PlatformConventions.h"

#include <QString>
#include <QStringList>

namespace rivonel {

// The user's own folders for an installed program, by the platform's
// conventions: $XDG_CONFIG_HOME, $XDG_STATE_HOME and $XDG_DATA_HOME (with
// their defaults) below "rivonel", or %APPDATA%\Rivonel for all three.
struct UserFolders {
    QString config;
    QString state;
    QString data;

    static UserFolders fromEnvironment();
};

// Where the program's files are. A portable copy keeps everything beside its
// executable; an installed one writes into the user's folders and reads the
// languages and pictures it ships from <prefix>/share/rivonel after the
// user's own.
struct ProgramLocations {
    bool installed = false;
    QString settingsDirectory; // rivonel.ini
    QString runDirectory;      // the launch script and the emulator's log
    QStringList languageFolders;
    QStringList snapFolders;
    QString defaultSettings; // copied to the user's folder on an installed first start

    static ProgramLocations portable(const QString &programDirectory,
                                     const PlatformConventions &platform);
    static ProgramLocations installedFor(const QString &executableDirectory,
                                         const UserFolders &user,
                                         const PlatformConventions &platform);
    // Chosen by how the files lie, never by who may write where (root may
    // write /usr/bin, a user ~/.local/bin): portable when portable.txt or the
    // program's own language/ folder is beside the executable; installed
    // when what it ships is in ../share/rivonel (from <prefix>/bin); portable
    // otherwise, keeping a lone executable's files beside it.
    static ProgramLocations choose(const QString &executableDirectory, const UserFolders &user,
                                   const PlatformConventions &platform);
};

// The file of that name in the first folder that has one; in the first
// folder when none has.
QString firstExistingFile(const QStringList &folders, const QString &name,
                          const PlatformConventions &platform);

} // namespace rivonel
