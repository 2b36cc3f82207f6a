// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/GameTable.h"
#include "core/system/PlatformConventions.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace rivonel {

// What this program relies on about the emulator, and nothing more.

struct RendererPlugin {
    QStringView file;    // must exist in the Zinc directory
    QStringView logName; // how the launch names it, with its leading blank
};

// The plug-in for a renderer list position; anything but 0 to 2 is Glide.
const RendererPlugin &rendererPlugin(int position);

// Whether the renderer's plug-in is in the Zinc directory.
bool rendererPresent(const PlatformConventions &platform, const QString &zincDirectory,
                     int position);
// The renderer a new user starts on: the first of OpenGL, Software,
// Direct3D and Glide whose plug-in the folder holds; OpenGL when none is there.
int preferredRenderer(const PlatformConventions &platform, const QString &zincDirectory);

inline constexpr QStringView zincConfigFileName = u"zinc.cfg";
inline constexpr QStringView rendererConfigFileName = u"renderer.cfg";

// The two console lines understood, each matched at the start of a line.
inline constexpr QStringView finishedLine = u"Finished execution...";
inline constexpr QStringView missingRomLine = u"ERROR: missing rom file:";

// The first line of both option files; the emulator skips ";" lines.
QString optionFileHeader(const QString &webAddress);

// The launch script's one line: the emulator's command line for a game number
// with its console output redirected into log.txt in the program directory:
// <zinc>/zinc 3 --use-config-file="<zinc>/zinc.cfg" --use-renderer-cfg-file="<zinc>/renderer.cfg" >
// <program>/log.txt
QString launchCommand(const PlatformConventions &platform, const QString &zincDirectory,
                      int gameNumber, const QString &programDirectory);

// The launch script as written: the line ended for its shell, in the system's
// 8-bit encoding like the option files.
QByteArray launchScriptBytes(const PlatformConventions &platform, const QString &line);

} // namespace rivonel
