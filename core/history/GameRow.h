#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/games/RomArchives.h"
#include "core/history/PlayHistory.h"
#include "core/languages/LanguageTextTable.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace rivonel {

// What the list, a screen reader and the command line's listing say of one
// game: whether its archive is in the ROM folder, what its checks found,
// and what the user did with it.
struct GameRow {
    // Unknown until the folder has been listed.
    std::optional<bool> archivePresent;
    // The folder was looked at and the archive is not there (or the folder
    // cannot be read): the row is dimmed and marked.
    bool absent = false;
    ArchiveState state = ArchiveState::Unknown;
    // The archive's sentence, "Favourite", then the history, a line each:
    // the tooltip and the accessible description.
    QString description;
    bool favourite = false;
    GamePlays plays;
};

// The row of the game at position. known counts only for the folder the look
// was of: until that folder's archives are checked, their state is unknown.
GameRow gameRow(int position, const RomFolderLook &roms, const ArchiveKnowledge &known,
                const PlayHistory &history, const LanguageTextTable &texts,
                const QLocale &locale = QLocale());

} // namespace rivonel
