// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/FolderGuidance.h"

#include "core/system/ShownName.h"

#include <QFileInfo>

#include <optional>

namespace rivonel {

bool isExistingFolder(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

QString folderStepLine(QString OptionSet::*folder, FolderStep::Why why, const QString &typed,
                       const PlatformConventions &platform, const LanguageTextTable &texts)
{
    const QString howToSet =
        folder == &OptionSet::zincDirectory
            ? texts.text(textKey::setZincDirectory).arg(platform.emulatorFileName)
            : texts.text(textKey::setRomDirectory);
    switch (why) {
    case FolderStep::Why::Unset:
        return howToSet;
    case FolderStep::Why::NotThere:
        // A name that leads nowhere is shown, so a typing mistake can be seen.
        return texts.text(textKey::noSuchFolder).arg(shownName(typed)) + u' ' + howToSet;
    case FolderStep::Why::NoEmulator:
        return texts.text(textKey::zincMissing) + u' ' + howToSet;
    }
    return howToSet;
}

std::vector<FolderStep> folderSteps(const OptionSet &options, const PlatformConventions &platform,
                                    const LanguageTextTable &texts)
{
    using Why = FolderStep::Why;
    std::vector<FolderStep> steps;
    for (QString OptionSet::*field : {&OptionSet::zincDirectory, &OptionSet::romDirectory}) {
        const QString &folder = options.*field;
        const bool zinc = field == &OptionSet::zincDirectory;
        std::optional<Why> why;
        if (folder.isEmpty())
            why = Why::Unset;
        else if (!isExistingFolder(folder))
            why = Why::NotThere;
        else if (zinc && !QFileInfo(platform.join(folder, platform.emulatorFileName)).isFile())
            why = Why::NoEmulator;
        if (why)
            steps.push_back({field, *why, folderStepLine(field, *why, folder, platform, texts)});
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
