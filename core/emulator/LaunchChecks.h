// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/system/PlatformConventions.h"

#include <QString>

#include <functional>
#include <optional>

namespace rivonel {

// What the checks before a launch found, and what the log box says of it.
struct LaunchCheck {
    enum class Verdict {
        NoGame,  // nothing to launch; the log box is left alone
        Missing, // the ROM archive, the emulator or the plug-in is not there
        Ready,
    };
    Verdict verdict = Verdict::NoGame;
    QString log;     // the log box's text once the checks are done
    QString command; // the launch script's line, when ready
};

// What the log box says when a folder option holds a line break (CR or LF),
// which would split zinc.cfg or the launch line: the launch is refused
// before anything is written. Nothing when the folders can be used.
std::optional<QString> folderLineBreak(const OptionSet &options, const LanguageTextTable &texts);

using FileExists = std::function<bool(const QString &path)>;

// Checks, in this order, the selected game's ROM archive, the emulator and the
// renderer plug-in; the first one missing ends the checks with its message.
LaunchCheck checkLaunch(const PlatformConventions &platform, const OptionSet &options,
                        const std::optional<QString> &romSet, const QString &programDirectory,
                        const LanguageTextTable &texts, const FileExists &exists);

} // namespace rivonel
