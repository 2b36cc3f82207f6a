// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/EmulatorConfigFiles.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/options/OptionItems.h"
#include "core/system/ProgramInfo.h"

#include <iterator>

namespace rivonel {

namespace {

bool on(int checkBoxValue)
{
    // Only a checked box counts; grayed is not a choice the user made.
    return checkBoxValue == 1;
}

QString setting(const char *key, const QString &value)
{
    return QString::fromLatin1(key) + QStringLiteral(" = ") + value;
}

QString setting(const char *key, int value)
{
    return setting(key, QString::number(value));
}

} // namespace

QStringList zincConfigLines(const OptionSet &options, const QString &webAddress)
{
    QStringList lines{optionFileHeader(webAddress),
                      QStringLiteral("--roms-directory=") + options.romDirectory};
    if (on(options.sound)) {
        lines << QStringLiteral("--use-sound=yes");
        if (on(options.soundFilter))
            lines << QStringLiteral("--sound-filter-enable=yes")
                  << QStringLiteral("--sound-filter-cutoff=") + options.soundFilterCutoff;
        if (on(options.surroundLite))
            lines << QStringLiteral("--sound-surround-lite-enable=yes")
                  << QStringLiteral("--sound-surround-lite-multiplier=") +
                         options.surroundMultiplier;
        if (on(options.stereoExciter))
            lines << QStringLiteral("--sound-stereo-exciter=yes");
    }
    // The emulator spells the low geometry option this way.
    if (on(options.useLowGeometry))
        lines << QStringLiteral("--use-slow-geometry=yes");
    return lines;
}

QStringList rendererConfigLines(const OptionSet &options, const QString &webAddress)
{
    QStringList lines{optionFileHeader(webAddress)};

    const int resolution = options.resolution.position;
    if (resolution >= 0 && resolution < static_cast<int>(std::size(resolutionItems))) {
        const auto size = resolutionItems[resolution].split(u'x');
        lines << setting("XSize", size.at(0).toString()) << setting("YSize", size.at(1).toString());
    }

    lines << setting("FullScreen", options.fullScreen)
          << setting("ColorDepth", options.colorDepth.text)
          << setting("ScanLines", options.scanLines.position)
          << setting("Blending", options.blending.text) << setting("Dithering", options.dithering)
          << setting("ShowFPS", options.showFps) << setting("FrameLimitation", options.frameLimit)
          << setting("FrameSkipping", options.frameSkip)
          << setting("FramerateDetection", options.frameSkipAuto)
          << setting("FramerateManual", options.frameRate)
          << setting("Filtering", options.textureFiltering.position)
          << setting("TextureCaching", options.textureCaching.position)
          << setting("TextureType", options.textureQuality.position)
          << setting("TurnDisplay", options.turnDisplay.position)
          << setting("EnableKeys", options.enableKeys);
    return lines;
}

QByteArray textFileBytes(const QStringList &lines, const QString &lineEnd)
{
    QString text;
    for (const QString &line : lines)
        text += line + lineEnd;
    return text.toLocal8Bit();
}

QString emulatorOptionFilePath(const PlatformConventions &platform, const OptionSet &options,
                               EmulatorOptionFile file)
{
    return platform.join(options.zincDirectory, file == EmulatorOptionFile::Zinc
                                                    ? zincConfigFileName.toString()
                                                    : rendererConfigFileName.toString());
}

bool writeEmulatorOptionFile(const PlatformConventions &platform, const OptionSet &options,
                             EmulatorOptionFile file)
{
    const QStringList lines = file == EmulatorOptionFile::Zinc
                                  ? zincConfigLines(options, webAddress())
                                  : rendererConfigLines(options, webAddress());
    return writeFileAnew(emulatorOptionFilePath(platform, options, file),
                         textFileBytes(lines, platform.lineEnd));
}

} // namespace rivonel
