// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/languages/LanguageTextTable.h"
#include "core/system/ShownName.h"

#include <QString>

#include <optional>

namespace rivonel {

// What the user is told of one ROM set's archive in folder, in one sentence:
// the list's tooltip and the verdict of a report. Names from outside show
// as shownName shows them, cut to longestName.
QString archiveStateText(const ArchiveKnowledge &known, const QString &folder,
                         const QString &romSet, const LanguageTextTable &texts,
                         qsizetype longestName = shownNameLength);

// Why a ROM set's archive cannot be had from folder: the folder cannot be
// read, or the archive is not in it.
QString archiveAbsentText(bool folderUnreadable, const QString &folder, const QString &romSet,
                          const LanguageTextTable &texts, qsizetype longestName = shownNameLength);

// The most files a report lists; a line then says how many more there are.
inline constexpr qsizetype listedArchiveFiles = 50;

// The "Check archive" report: each file read back whole with its size and
// CRC-32, then the verdict.
QString archiveReport(const ArchiveKnowledge &known, const PlatformConventions &platform,
                      const QString &folder, const QString &romSet, const LanguageTextTable &texts);

// The line the log box gets before a launch of an archive that will
// probably not run; the emulator decides all the same.
std::optional<QString> archiveWarning(const ArchiveKnowledge &known, const QString &folder,
                                      const QString &romSet, const LanguageTextTable &texts);

} // namespace rivonel
