// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace rivonel {

// Creates or replaces the file with exactly these bytes. The old file is
// replaced only once the new one has been written whole, and keeps its
// permissions. Anything but an ordinary file at the name is left alone.
// What an earlier write of the same file left when it was cut short is
// removed first. False on failure; the old file is then untouched.
bool writeFileAnew(const QString &path, const QByteArray &bytes);

// Removes what a write cut short (the program killed before it replaced the
// file) left beside the file: the copies writeFileAnew names as its own, and
// nothing else.
void removeUnfinishedWrites(const QString &path);

} // namespace rivonel
