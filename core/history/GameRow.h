// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/games/RomArchives.h"
#include "core/history/PlayHistory.h"
#include "core/languages/LanguageTextTable.h"
#include "core/system/ShownName.h"

#include <QDateTime>
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
    QString archive; // the archive's sentence, empty until the folder is looked at
    // The archive's sentence, "Favourite", then the history, a line each:
    // the tooltip and the accessible description.
    QString description;
    bool favourite = false;
    GamePlays plays;
    QString ownValues; // the game's own options, as "renderer Software, …"; empty for none
};

// The row of the game at position. known counts only for the folder the look
// was of: until that folder's archives are checked, their state is unknown.
// Names from outside in its sentences are cut to longestName.
GameRow gameRow(int position, const RomFolderLook &roms, const ArchiveKnowledge &known,
                const PlayHistory &history, const LanguageTextTable &texts,
                const QLocale &locale = QLocale(), qsizetype longestName = shownNameLength);

// Adds the game's own options to its row, and a line saying them to its description.
void addOwnValues(GameRow &row, const QString &summary, const LanguageTextTable &texts);

// What the list shows: every game, those whose archive is in the ROM folder,
// the favourites, or those played in the last recentDays days.
enum class GameFilter { All, Available, Favourites, Recent };
inline constexpr int recentDays = 30;

// Whether the game at position is shown for the filter and the search, which
// matches its title or its ROM set anywhere, in any case.
bool shownInList(int position, const GameRow &row, GameFilter filter, const QString &search,
                 const QDateTime &now);

// What the details beside the list say of the game: its number and title,
// its ROM set, then its row's description.
QString gameDetails(int position, const GameRow &row, const LanguageTextTable &texts);

} // namespace rivonel
