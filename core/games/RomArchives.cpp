#include "core/games/RomArchives.h"

#include <QDir>
#include <QFileInfo>

namespace rivonel {

RomFolderListing listRomFolder(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return {RomFolderListing::Status::Unreadable, folder, {}};
    return {RomFolderListing::Status::Listed, folder,
            QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)};
}

std::array<bool, gameCount> archivesPresent(const RomFolderListing &listing,
                                            Qt::CaseSensitivity names)
{
    std::array<bool, gameCount> present{};
    for (std::size_t i = 0; i < present.size(); ++i)
        present[i] = listing.fileNames.contains(
            gameTable()[i].romSet.toString() + QStringLiteral(".zip"), names);
    return present;
}

} // namespace rivonel
