// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/SnapPicture.h"

#include "core/system/SafeOpen.h"

#include <QFile>
#include <QImageReader>

namespace rivonel {

QImage readSnapPicture(const QString &path, const QSize &box)
{
    QFile file;
    if (openRegularFile(path, file) != OpenResult::Opened)
        return {};
    QImageReader reader(&file);
    reader.setAllocationLimit(int(maxSnapPixels * 4 / (1024 * 1024)));
    const QSize size = reader.size();
    if (size.isValid()) {
        if (qint64(size.width()) * size.height() > maxSnapPixels)
            return {};
        if (!box.isEmpty() && size != box)
            reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    }
    return reader.read();
}

} // namespace rivonel
