// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/RomArchives.h"

#include "core/games/GameTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace rivonel {

RomFolderLook lookForRomArchives(const QString &folder, Qt::CaseSensitivity names,
                                 const std::atomic_bool *cancelled)
{
    if (folder.isEmpty())
        return {};
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return {RomFolderLook::Status::Unreadable, folder, {}};

    const QString extension = romArchiveExtension.toString();
    std::array<QString, gameCount> archives;
    for (std::size_t i = 0; i < archives.size(); ++i)
        archives[i] = gameTable()[i].romSet.toString() + extension;

    RomFolderLook look{RomFolderLook::Status::Listed, folder, {}};
    std::size_t found = 0;
    // Any entry but a folder counts, as a listing of files and system
    // entries did.
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext() && found < archives.size()) {
        if (cancelled && *cancelled)
            return {};
        entries.next();
        const QString name = entries.fileName();
        if (!name.endsWith(extension, names))
            continue;
        for (std::size_t i = 0; i < archives.size(); ++i) {
            if (!look.present[i] && name.compare(archives[i], names) == 0 &&
                !entries.fileInfo().isDir()) {
                look.present[i] = true;
                ++found;
            }
        }
    }
    return look;
}

} // namespace rivonel
