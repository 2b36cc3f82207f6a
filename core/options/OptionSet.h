// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rivonel {

// A check box's values as the options file stores them.
namespace check {
inline constexpr int unchecked = 0;
inline constexpr int checked = 1;
inline constexpr int grayed = 2; // only before the options are loaded
} // namespace check

// A list's state: the selected position (-1 for none) and its text.
struct ListChoice {
    int position = -1;
    QString text;

    bool operator==(const ListChoice &) const = default;
};

// The window's options as plain values. Check boxes hold 0 unchecked,
// 1 checked, 2 grayed; texts are exactly what the user typed. A new one has
// its boxes grayed, no list selection and empty texts; the values the window
// starts with are defaultOptions() (OptionTable.h).
struct OptionSet {
    // Vídeo
    ListChoice renderer;
    ListChoice resolution;
    ListChoice colorDepth;
    ListChoice scanLines;
    ListChoice textureFiltering;
    ListChoice textureQuality;
    ListChoice textureCaching;
    ListChoice turnDisplay;
    ListChoice blending;
    QString frameRate;
    int fullScreen = check::grayed;
    int showFps = check::grayed;
    int frameSkip = check::grayed;
    int frameSkipAuto = check::grayed;
    int frameLimit = check::grayed;
    int dithering = check::grayed;
    int enableKeys = check::grayed;

    // Audio
    int sound = check::grayed;
    int soundFilter = check::grayed;
    QString soundFilterCutoff;
    int stereoExciter = check::grayed;
    int surroundLite = check::grayed;
    int surroundLiteMultiplier = check::grayed;
    QString surroundMultiplier;

    // Geral
    QString zincDirectory;
    QString romDirectory;
    int useLowGeometry = check::grayed;
    ListChoice padStop; // the pad's buttons that stop a run

    // The selected game (list position and title) and language (its name).
    ListChoice game;
    ListChoice language;

    bool operator==(const OptionSet &) const = default;
};

} // namespace rivonel
