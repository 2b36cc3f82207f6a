#pragma once

#include "core/games/GameTable.h"

#include <QString>
#include <QStringList>

#include <array>

namespace rivonel {

// What a look at the ROM directory found.
struct RomFolderListing {
    enum class Status { NotSet, Listed, Unreadable };
    Status status = Status::NotSet;
    QString folder;
    QStringList fileNames;
};

// Lists the folder's file names. It may be slow (a network share), so the
// window runs it away from its own thread.
RomFolderListing listRomFolder(const QString &folder);

// For each game in table order, whether the listing holds its archive
// (<ROM set name>.zip). Names match as the file system compares them.
std::array<bool, gameCount> archivesPresent(const RomFolderListing &listing,
                                            Qt::CaseSensitivity names);

} // namespace rivonel
