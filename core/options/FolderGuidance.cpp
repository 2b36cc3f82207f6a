#include "core/options/FolderGuidance.h"

#include <QFileInfo>

namespace rivonel {

bool isExistingFolder(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

QStringList folderGuidance(const OptionSet &options, const PlatformConventions &platform,
                           const LanguageTextTable &texts)
{
    const struct {
        const QString &folder;
        QString howToSet;
    } folders[] = {
        {options.zincDirectory,
         texts.text(textKey::setZincDirectory).arg(platform.emulatorFileName)},
        {options.romDirectory, texts.text(textKey::setRomDirectory)},
    };
    QStringList lines;
    for (const auto &[folder, howToSet] : folders) {
        if (isExistingFolder(folder))
            continue;
        // A name that leads nowhere is shown, so a typing mistake can be seen.
        lines << (folder.isEmpty() ? howToSet
                                   : texts.text(textKey::noSuchFolder).arg(folder) +
                                         QStringLiteral(" ") + howToSet);
    }
    return lines;
}

} // namespace rivonel
