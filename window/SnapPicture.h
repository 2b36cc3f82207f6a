// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace rivonel {

// Pictures larger than this before scaling are refused: decoding one would
// take a quarter of a gigabyte or more (Qt's own allocation limit).
inline constexpr qint64 maxSnapPixels = qint64(64) * 1024 * 1024;

// Reads a game's picture at the size that fits box, keeping its aspect ratio,
// scaling while it decodes. Only a regular file is read, never a FIFO or a
// device. A null image when there is no such file or no picture in it, or
// the picture is larger than maxSnapPixels. Safe on any thread.
QImage readSnapPicture(const QString &path, const QSize &box);

} // namespace rivonel
