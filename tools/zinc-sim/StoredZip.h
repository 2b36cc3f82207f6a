// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zincsim {

struct ZipEntry {
    QString name;
    QByteArray data;
};

// A zip archive whose entries are stored without compression: all the demo
// archives need, and readable by any unzip tool.
QByteArray makeStoredZip(const QList<ZipEntry> &entries);

// The entry names of a zip archive, from its central directory; an empty
// optional when the bytes are not a zip archive.
std::optional<QStringList> zipEntryNames(const QByteArray &archive);

} // namespace zincsim
