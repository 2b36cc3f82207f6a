// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace rivonel {

// The most of a name from outside that a line of the log box or a message
// shows.
inline constexpr qsizetype shownNameLength = 200;
// The most of one that a tooltip or a screen reader's description holds, for
// a name cut in what a widget shows.
inline constexpr qsizetype tipNameLength = 1000;

// A name read from outside (an archive's file, a line of the emulator's log,
// a path, an argument) as text for one line, whatever it holds. Control
// characters and line or paragraph separators show as symbols (their control
// pictures, or U+FFFD), and so do bidirectional embeddings, overrides and
// isolates; a name with right-to-left text is isolated, so that it cannot
// reorder the sentence around it. A longer name keeps its start and its end
// around an ellipsis, a path its file name. Tabs stay, as spacing.
QString shownName(QStringView name, qsizetype longest = shownNameLength);

} // namespace rivonel
