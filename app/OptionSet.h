#pragma once

#include <QString>

namespace rivonel {

// A drop-down list's state: the selected position (-1 for none) and its text.
struct ListChoice {
    int position = -1;
    QString text;

    bool operator==(const ListChoice &) const = default;
};

// The option controls of the window as plain values. Check boxes hold
// 0 unchecked, 1 checked, 2 grayed; texts are exactly what the user typed.
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
    int fullScreen = 2;
    int showFps = 2;
    int frameSkip = 2;
    int frameSkipAuto = 2;
    int frameLimit = 2;
    int dithering = 2;
    int enableKeys = 2;

    // Audio
    int sound = 2;
    int soundFilter = 2;
    QString soundFilterCutoff;
    int stereoExciter = 2;
    int surroundLite = 2;
    int surroundLiteMultiplier = 2;
    QString surroundMultiplier;

    // Geral
    QString zincDirectory;
    QString romDirectory;
    int useLowGeometry = 2;

    bool operator==(const OptionSet &) const = default;
};

} // namespace rivonel
