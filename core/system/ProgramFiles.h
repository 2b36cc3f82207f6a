// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/PlatformConventions.h"
#include "core/system/ProgramLocations.h"

#include <QString>
#include <QStringList>

namespace rivonel {

// Every file the program reads or writes, by its full path: the one place
// their names are joined to their folders, for the window, the command line
// and the About box alike.
struct ProgramFiles {
    bool installed = false; // in the user's folders, not beside the program
    QString settingsDirectory;
    QString runDirectory;
    QString options;        // rivonel.ini
    QString history;        // the times played and the favourites
    QString gameOptions;    // the options single games have of their own
    QString archiveChecks;  // what the archives' checks found, kept between starts
    QString windowGeometry; // the window's size and place, beside the options
    QString launchScript;
    QString emulatorLog;
    QString lastRunLog; // the emulator's output of the last run, kept
    QStringList languageFolders;
    QStringList snapFolders;

    static ProgramFiles of(const ProgramLocations &locations, const PlatformConventions &platform);
};

} // namespace rivonel
