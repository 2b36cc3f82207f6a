#include "core/emulator/LaunchChecks.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/games/GameTable.h"

namespace rivonel {

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
        return missing(texts.text(42) + space + archive + space + texts.text(43));

    if (!exists(platform.join(zinc, platform.emulatorFileName)))
        return missing(texts.text(44));
    QString log = texts.text(41) + space + options.game.text + QStringLiteral("...") + crlf;
    log += texts.text(options.sound == check::checked ? 45 : 46) + crlf;

    const RendererPlugin &plugin = rendererPlugin(options.renderer.position);
    if (!exists(platform.join(zinc, plugin.file.toString())))
        return missing(texts.text(42) + space + plugin.file.toString() + space + texts.text(47));
    log += texts.text(48) + plugin.logName.toString() + crlf;

    return {LaunchCheck::Verdict::Ready, log,
            launchCommand(platform, zinc, gameNumber(options.game.position), programDirectory)};
}

} // namespace rivonel
