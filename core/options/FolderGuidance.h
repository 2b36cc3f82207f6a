// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/system/PlatformConventions.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rivonel {

// Whether a folder option names a folder that is there. An empty name would
// put a file at the root of the file system, a missing folder nowhere.
bool isExistingFolder(const QString &folder);

// A folder a game cannot run without, not yet usable, and what to do about it.
struct FolderStep {
    enum class Why { Unset, NotThere, NoEmulator };
    QString OptionSet::*folder;
    Why why;
    QString line;
};

// What a step says in a language, of the folder as typed.
QString folderStepLine(QString OptionSet::*folder, FolderStep::Why why, const QString &typed,
                       const PlatformConventions &platform, const LanguageTextTable &texts);

// What a user must set before a game can run, in their language: a step for
// the Zinc directory while it is empty, names no folder or lacks the emulator,
// then one for the ROM directory while it is empty or names no folder. Each
// says where to set it. Nothing when both are usable.
std::vector<FolderStep> folderSteps(const OptionSet &options, const PlatformConventions &platform,
                                    const LanguageTextTable &texts);
// The steps' lines.
QStringList folderGuidance(const OptionSet &options, const PlatformConventions &platform,
                           const LanguageTextTable &texts);

} // namespace rivonel
