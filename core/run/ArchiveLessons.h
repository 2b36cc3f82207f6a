// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/languages/LanguageTextTable.h"
#include "core/system/PlatformConventions.h"

#include <QString>

#include <optional>

namespace rivonel {

// The archive a Play ran, as it was then: what the run teaches holds for
// that version of it only.
struct PlayedArchive {
    QString romSet;
    QString folder;
    ArchiveIdentity identity;
};

// The archive of romSet in folder as it is now (its size and time).
PlayedArchive playedArchive(const PlatformConventions &platform, const QString &folder,
                            const QString &romSet);

// The warning before a launch, from the last check, when that check saw the
// archive as it is now; Play never waits for a check.
std::optional<QString> playWarning(const ArchiveKnowledge &known, const PlayedArchive &played,
                                   const LanguageTextTable &texts);

// The emulator's "missing rom file" line is remembered for the archive it
// ran, until that archive changes. True when the knowledge changed.
bool learnFromRun(ArchiveKnowledge &known, const PlayedArchive &played, const QString &lastLine);

// A new check of the folder, with what runs taught while it ran, where that
// still holds for the archive the check read.
ArchiveKnowledge withLessons(ArchiveKnowledge checked, const ArchiveKnowledge &before);

} // namespace rivonel
