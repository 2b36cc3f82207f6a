#include "core/options/FolderGuidance.h"

#include <QFileInfo>

namespace rivonel {

bool isExistingFolder(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

std::vector<FolderStep> folderSteps(const OptionSet &options, const PlatformConventions &platform,
                                    const LanguageTextTable &texts)
{
    const struct {
        QString OptionSet::*folder;
        QString howToSet;
        QString emulator; // the file the folder must hold, if any
    } folders[] = {
        {&OptionSet::zincDirectory,
         texts.text(textKey::setZincDirectory).arg(platform.emulatorFileName),
         platform.emulatorFileName},
        {&OptionSet::romDirectory, texts.text(textKey::setRomDirectory), {}},
    };
    std::vector<FolderStep> steps;
    const QString space = QStringLiteral(" ");
    for (const auto &[field, howToSet, emulator] : folders) {
        const QString &folder = options.*field;
        if (folder.isEmpty())
            steps.push_back({field, howToSet});
        // A name that leads nowhere is shown, so a typing mistake can be seen.
        else if (!isExistingFolder(folder))
            steps.push_back(
                {field, texts.text(textKey::noSuchFolder).arg(folder) + space + howToSet});
        else if (!emulator.isEmpty() && !QFileInfo(platform.join(folder, emulator)).isFile())
            steps.push_back({field, texts.text(textKey::zincMissing) + space + howToSet});
    }
    return steps;
}

QStringList folderGuidance(const OptionSet &options, const PlatformConventions &platform,
                           const LanguageTextTable &texts)
{
    QStringList lines;
    for (const FolderStep &step : folderSteps(options, platform, texts))
        lines << step.line;
    return lines;
}

} // namespace rivonel
