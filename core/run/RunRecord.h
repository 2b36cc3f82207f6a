// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace rivonel {

// What a later copy of the program needs to take on a run this copy started,
// should this one end without ending it: the launcher's identity of the run's
// processes, the game, when it started, and what its report names.
struct RunRecord {
    QByteArray launcher;
    int position = -1;
    QDateTime started; // UTC
    QString romDirectory;
    QString romSet;

    QByteArray toBytes() const;
    // Nothing for anything this program did not write.
    static std::optional<RunRecord> fromBytes(const QByteArray &bytes);
    // The record at path, read without waiting on what is no file, and
    // bounded: a record is a few lines.
    static std::optional<RunRecord> read(const QString &path);
};

} // namespace rivonel
