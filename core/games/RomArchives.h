// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/GameTable.h"

#include <QString>

#include <array>
#include <atomic>

namespace rivonel {

// What a look at the ROM directory found: which games' archives it holds,
// never the folder's own list of names (a folder may hold 100,000 files).
struct RomFolderLook {
    enum class Status { NotSet, Listed, Unreadable };
    Status status = Status::NotSet;
    QString folder;
    // For each game in table order, whether <ROM set name>.zip is there.
    std::array<bool, gameCount> present{};
};

// Goes through the folder's names once, matching each against the games'
// archives as the file system compares names. It may be slow (a network
// share, a huge folder), so the window runs it away from its own thread; once
// cancelled it stops between two names and answers NotSet.
RomFolderLook lookForRomArchives(const QString &folder, Qt::CaseSensitivity names,
                                 const std::atomic_bool *cancelled = nullptr);

} // namespace rivonel
