// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"

class QListWidgetItem;

namespace rivonel {

// Marks a game in the list with its archive's state: an icon and a colour
// for the eye, and the state's sentence for the mouse and a screen reader.
void showArchiveMark(QListWidgetItem *item, ArchiveState state, const QString &text);

} // namespace rivonel
