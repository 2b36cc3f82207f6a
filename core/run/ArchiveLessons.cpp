// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/ArchiveLessons.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/emulator/RunReport.h"
#include "core/games/ArchiveReport.h"

#include <QDateTime>
#include <QFileInfo>

namespace rivonel {

PlayedArchive playedArchive(const PlatformConventions &platform, const QString &folder,
                            const QString &romSet)
{
    const QFileInfo archive(archivePath(platform, folder, romSet));
    return {romSet, folder, {archive.size(), archive.lastModified().toMSecsSinceEpoch()}};
}

std::optional<QString> playWarning(const ArchiveKnowledge &known, const PlayedArchive &played,
                                   const LanguageTextTable &texts)
{
    const auto reading = known.readings.constFind(played.romSet);
    if (played.romSet.isEmpty() || known.folder != played.folder ||
        reading == known.readings.cend() || reading->identity != played.identity)
        return std::nullopt;
    return archiveWarning(known, played.folder, played.romSet, texts);
}

bool learnFromRun(ArchiveKnowledge &known, const PlayedArchive &played, const QString &lastLine)
{
    if (played.romSet.isEmpty() || !lastLine.startsWith(missingRomLine) ||
        known.folder != played.folder)
        return false;
    known.learned.insert(
        played.romSet,
        {played.identity, missingRomFileName(lastLine, played.folder, played.romSet)});
    return true;
}

ArchiveKnowledge withLessons(ArchiveKnowledge checked, const ArchiveKnowledge &before)
{
    if (before.folder != checked.folder)
        return checked;
    for (auto lesson = before.learned.cbegin(); lesson != before.learned.cend(); ++lesson)
        if (!checked.learned.contains(lesson.key()) &&
            checked.readings.value(lesson.key()).identity == lesson->identity)
            checked.learned.insert(lesson.key(), *lesson);
    return checked;
}

} // namespace rivonel
