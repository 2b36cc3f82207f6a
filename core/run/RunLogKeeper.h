// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace rivonel {

// The emulator's output of one run as last-run.log keeps it: all of it when
// short; otherwise its first lines and its last MiB, with a line between that
// says how much was left out. Holds no more than that, however long the run.
class RunLogKeeper {
public:
    static constexpr qsizetype headLimit = 16 * 1024;
    static constexpr qsizetype tailLimit = 1024 * 1024;

    void feed(QByteArrayView bytes);
    // Output that went by unread (a flood the watch skipped): only counted.
    void skip(qint64 count);
    QByteArray bytes() const;
    qint64 total() const { return m_total; }

private:
    QByteArray m_head;
    QByteArray m_tail;
    qint64 m_total = 0;
    qint64 m_dropped = 0; // between the head and the tail
};

} // namespace rivonel
