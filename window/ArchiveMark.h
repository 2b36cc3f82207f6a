// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QListWidget;
class QListWidgetItem;

namespace rivonel {

// The contrast of two colours as WCAG measures it, from 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);

// Marks a game whose archive is not there: an icon, text dimmed yet readable
// (4.5:1 on the list's background, light or dark), and the reason for the
// mouse and for a screen reader.
void markMissingArchive(const QListWidget &list, QListWidgetItem &item, const QString &why);

} // namespace rivonel
