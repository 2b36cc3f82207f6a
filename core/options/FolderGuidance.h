#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/system/PlatformConventions.h"

#include <QString>
#include <QStringList>

namespace rivonel {

// Whether a folder option names a folder that is there. An empty name would
// put a file at the root of the file system, a missing folder nowhere.
bool isExistingFolder(const QString &folder);

// What a user must set before a game can run, in their language: a line for
// each of the Zinc and ROM directories that is empty or names no folder,
// saying where to set it. Nothing when both are folders.
QStringList folderGuidance(const OptionSet &options, const PlatformConventions &platform,
                           const LanguageTextTable &texts);

} // namespace rivonel
