// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>

namespace rivonel {

// One process of a run, as the process table shows it.
struct RunProcess {
    qint64 pid = 0;
    qint64 parent = 0;
    bool zombie = false; // ended, waiting to be reaped: it runs no more
    qint64 started = 0;  // when it started, in the system's clock ticks since boot
};

// The processes of one run, on a system with a /proc process table: those in
// the launch script's session or process group, those that carry the run's
// mark in their environment (a descendant keeps it however it detaches),
// those already known to be of the run, those that came to this program (the
// subreaper of all it starts) and started since the run began, whatever
// their session or environment, and everything below any of them. This
// program itself is never one of them. Elsewhere: none.
QList<RunProcess> runProcesses(qint64 session, const QByteArray &mark, const QSet<qint64> &known,
                               qint64 runStarted);

// When a process started, as RunProcess::started counts; 0 when it is not there.
qint64 processStarted(qint64 pid);
// Whether the process pid that started then still runs (is there and no zombie).
bool processRuns(qint64 pid, qint64 started);

// The environment entry that marks a run's processes, "name=value".
QByteArray runMarkEntry(const QByteArray &mark);

} // namespace rivonel
