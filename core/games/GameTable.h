// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <array>

namespace rivonel {

struct GameEntry {
    QStringView title;
    QStringView romSet; // lower case; + ".zip" is the archive, + ".jpg" the snapshot
};

inline constexpr int gameCount = 26;
// What a ROM set's name takes to name its archive, as the emulator looks for it.
inline constexpr QStringView romArchiveExtension = u".zip";

// The emulator's own game numbering: row p is game number p + 1. Never reorder.
const std::array<GameEntry, gameCount> &gameTable();

// The number the emulator is told to run for a list position (-1 gives 0).
constexpr int gameNumber(int position)
{
    return position + 1;
}

} // namespace rivonel
