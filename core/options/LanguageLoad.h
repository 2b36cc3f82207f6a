// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/system/PlatformConventions.h"

#include <QString>
#include <QStringList>

namespace rivonel {

// The texts of a language, and what the user is told when its file could not
// be used (then the texts are English, never blank).
struct LoadedLanguage {
    LanguageTextTable texts;
    QString notice;
};

// Reads <name>.ini from the first language folder that has it, whatever
// folder listed the name. A file that is not there has no texts: a name found
// below a language folder, not in it.
LoadedLanguage loadLanguage(const QStringList &folders, const QString &name,
                            const PlatformConventions &platform);

// The name a language file gives its language in its own words ("Name" in
// its first lines), as text to show, empty when it gives none. Only the
// start of the file is read: the list never waits for a large one.
QString languageOwnName(const QStringList &folders, const QString &name,
                        const PlatformConventions &platform);

// Whether folder holds the emulator's executable.
bool holdsEmulator(const PlatformConventions &platform, const QString &folder);

} // namespace rivonel
