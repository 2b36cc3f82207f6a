// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/ScriptShell.h"

#include <QString>

namespace rivonel {

// What differs between operating systems in the paths and files this program
// builds. Pure data, so the file builders can be checked for either system.
struct PlatformConventions {
    using Shell = ScriptShell;

    Shell shell = Shell::Posix; // the language of the launch script
    QString separator;          // joins a directory and a file name
    QString lineEnd;            // ends every line of a generated file
    QString emulatorFileName;   // the emulator's executable in the Zinc directory
    QString launchScriptName;   // the one-line launch script in the program directory
    QString launchShell;        // the interpreter that runs the launch script
    // How the file system compares file names.
    Qt::CaseSensitivity fileNames = Qt::CaseSensitive;

    static PlatformConventions windows();
    static PlatformConventions posix();
    static PlatformConventions native();

    // directory + separator + name, exactly; the user's text is not cleaned up.
    QString join(const QString &directory, const QString &name) const;
};

inline const QString settingsFileName = QStringLiteral("rivonel.ini");
inline const QString emulatorLogFileName = QStringLiteral("log.txt");

} // namespace rivonel
