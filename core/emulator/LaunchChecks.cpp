// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/LaunchChecks.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/games/GameTable.h"

namespace rivonel {

std::optional<QString> folderLineBreak(const OptionSet &options, const LanguageTextTable &texts)
{
    const std::pair<const QString &, int> folders[] = {
        {options.zincDirectory, textKey::zincDirectoryCaption},
        {options.romDirectory, textKey::romDirectoryCaption}};
    for (const auto &[folder, caption] : folders)
        if (folder.contains(u'\n') || folder.contains(u'\r')) {
            return texts.text(textKey::folderHoldsLineBreak)
                .arg(captionAsName(texts.text(caption)));
        }
    return std::nullopt;
}

LaunchCheck checkLaunch(const PlatformConventions &platform, const OptionSet &options,
                        const std::optional<QString> &romSet, const QString &programDirectory,
                        const LanguageTextTable &texts, const FileExists &exists)
{
    if (!romSet)
        return {};
    const QString space = QStringLiteral(" ");
    const QString crlf = QStringLiteral("\r\n");
    const QString zinc = options.zincDirectory;
    const auto missing = [](QString log) {
        return LaunchCheck{LaunchCheck::Verdict::Missing, log, {}};
    };

    const QString archive = *romSet + romArchiveExtension.toString();
    if (!exists(platform.join(options.romDirectory, archive)))
        return missing(texts.text(textKey::couldNotFind) + space + archive + space +
                       texts.text(textKey::notInRomDirectory));

    if (!exists(platform.join(zinc, platform.emulatorFileName)))
        return missing(texts.text(textKey::zincMissing));
    QString log =
        texts.text(textKey::starting) + space + options.game.text + QStringLiteral("...") + crlf;
    log +=
        texts.text(options.sound == check::checked ? textKey::soundOn : textKey::soundOff) + crlf;

    const RendererPlugin &plugin = rendererPlugin(options.renderer.position);
    if (!exists(platform.join(zinc, plugin.file.toString())))
        return missing(texts.text(textKey::couldNotFind) + space + plugin.file.toString() + space +
                       texts.text(textKey::pluginNotInZincDirectory) + space +
                       texts.text(textKey::chooseRendererThere));
    log += texts.text(textKey::rendererLogLabel) + plugin.logName.toString() + crlf;

    return {LaunchCheck::Verdict::Ready, log,
            launchCommand(platform, zinc, gameNumber(options.game.position), programDirectory)};
}

} // namespace rivonel
