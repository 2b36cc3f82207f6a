// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

namespace rivonel {

// What opening a file for reading found.
enum class OpenResult {
    Opened,
    Missing,    // nothing of that name
    NotAFile,   // a folder, a FIFO, a device, a socket
    Unreadable, // there, but it cannot be read
};

// Opens path for reading into file without ever waiting for a writer (a
// FIFO) or a device, and judges what was opened, not the name beforehand:
// only a regular file is opened, so nothing can be swapped in between the
// look and the open.
OpenResult openRegularFile(const QString &path, QFile &file);

} // namespace rivonel
