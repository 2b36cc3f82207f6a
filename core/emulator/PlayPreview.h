// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionTable.h"
#include "core/system/PlatformConventions.h"

#include <QList>
#include <QString>

#include <bitset>

namespace rivonel {

// A line Play would write, and whether a game's own value shapes it.
struct PreviewLine {
    QString text;
    bool own = false;

    bool operator==(const PreviewLine &) const = default;
};

// What Play would write for a game now, from the functions Play writes with:
// both option files, the renderer's plug-in and the launch script's line.
struct PlayPreview {
    QString zincConfigPath;
    QList<PreviewLine> zincConfig;
    QString rendererConfigPath;
    QList<PreviewLine> rendererConfig;
    PreviewLine plugin;
    PreviewLine launchLine;
};

// options are those the game plays with; own names the entries that hold the
// game's own values. A line is marked when one of those values changes it.
PlayPreview playPreview(const PlatformConventions &platform, const OptionSet &options,
                        const std::bitset<optionCount> &own, const QString &programDirectory,
                        const ListItems &items);

// The preview as one text to read, each marked line behind a ▶.
QString playPreviewText(const PlayPreview &preview, const LanguageTextTable &texts);

} // namespace rivonel
