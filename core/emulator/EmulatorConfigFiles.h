// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionSet.h"
#include "core/system/PlatformConventions.h"
#include "core/system/WholeFile.h"

#include <QByteArray>
#include <QStringList>

namespace rivonel {

// The lines of zinc.cfg: general and audio options, an option only when on.
QStringList zincConfigLines(const OptionSet &options, const QString &webAddress);

// The lines of renderer.cfg: every video setting, raw values.
QStringList rendererConfigLines(const OptionSet &options, const QString &webAddress);

// The file's bytes: each line, the last one too, ended by lineEnd, in the
// system's 8-bit encoding.
QByteArray textFileBytes(const QStringList &lines, const QString &lineEnd);

// The emulator's two option files, in the order a launch writes them.
enum class EmulatorOptionFile { Renderer, Zinc };

// The file in the options' Zinc directory.
QString emulatorOptionFilePath(const PlatformConventions &platform, const OptionSet &options,
                               EmulatorOptionFile file);

// Writes the file whole from the options; false when it could not be written.
[[nodiscard]] bool writeEmulatorOptionFile(const PlatformConventions &platform,
                                           const OptionSet &options, EmulatorOptionFile file);

} // namespace rivonel
