// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/PlatformConventions.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

namespace rivonel {

// Which version of an archive a check looked at: a copy over it, even of
// the same size, changes its modification time.
struct ArchiveIdentity {
    qint64 size = -1;
    qint64 modified = 0; // milliseconds since the epoch
    friend bool operator==(const ArchiveIdentity &, const ArchiveIdentity &) = default;
};

// The identity of an opened file, from its handle.
ArchiveIdentity identityOf(const QFile &opened);

struct ArchiveEntry {
    QString name;
    qint64 size = 0;
    quint32 crc = 0;
    friend bool operator==(const ArchiveEntry &, const ArchiveEntry &) = default;
};

// What reading an archive through found.
struct ArchiveReading {
    enum class Verdict { Missing, NotAZip, Damaged, Ready };
    enum class Fault { None, Truncated, CrcMismatch, Unreadable, TooLarge };
    Verdict verdict = Verdict::Missing;
    Fault fault = Fault::None;
    // The first bad entry of a damaged archive; empty when the archive as a
    // whole cannot be read (its directory lost, the file unreadable).
    QString badEntry;
    // The entries read back whole, in the archive's order.
    QList<ArchiveEntry> entries;
    ArchiveIdentity identity;
    friend bool operator==(const ArchiveReading &, const ArchiveReading &) = default;
};

// Reads an opened archive through; it stops, answering anything, once
// cancelled is set. The zip reading is the platform's.
using ArchiveReader =
    std::function<ArchiveReading(QFile &opened, const std::atomic_bool &cancelled)>;

// A file the emulator said was missing from an archive, in a run of this
// very version of it.
struct LearnedMissing {
    ArchiveIdentity identity;
    QString file;
    friend bool operator==(const LearnedMissing &, const LearnedMissing &) = default;
};

// The archive states the list shows, worst first after Unknown.
enum class ArchiveState { Unknown, Missing, NotAZip, Damaged, Incomplete, Ready };

// What is known of the archives of one ROM folder, by ROM set: the last
// reading of each and what runs taught. It is kept between starts.
struct ArchiveKnowledge {
    QString folder;
    QHash<QString, ArchiveReading> readings;
    QHash<QString, LearnedMissing> learned;

    ArchiveState state(const QString &romSet) const;
    // The learned file while it still holds for the archive as last read.
    QString missingFile(const QString &romSet) const;

    // The cache's file: text that a damaged or foreign file cannot turn
    // into anything but nothing.
    QByteArray toBytes() const;
    static ArchiveKnowledge fromBytes(const QByteArray &bytes);
};

// Brings what is known of the folder's archives up to date: an archive whose
// size and modification time are those of its last reading is not read
// again. Learned files are dropped with the version they were learned from.
// reads counts the archives read through. Stops early when cancelled.
ArchiveKnowledge checkArchives(const ArchiveKnowledge &known, const PlatformConventions &platform,
                               const QString &folder, const QStringList &romSets,
                               const ArchiveReader &read, const std::atomic_bool &cancelled,
                               int *reads = nullptr);

// What is read of the file the knowledge is kept in: nothing from a file that is missing, damaged,
// no ordinary file or far larger than 26 archives' entries take.
inline constexpr qint64 largestKnowledgeFile = 4 << 20;
ArchiveKnowledge readArchiveKnowledge(const QString &path);

// Every ROM set of the game list, once each.
QStringList allRomSets();

// A state in one word or two, for the command line's listing.
QString archiveStateName(ArchiveState state);

// The path of a ROM set's archive in a folder.
QString archivePath(const PlatformConventions &platform, const QString &folder,
                    const QString &romSet);

} // namespace rivonel
