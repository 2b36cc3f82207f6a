// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace rivonel {

// Turns the signals that ask a program to end (SIGTERM, SIGINT, SIGHUP) into
// the program's orderly end: the first is told from the event loop, so the
// run is stopped and counted and the options saved as on any close. A second
// one while that end runs hurries it: a wait for the run forces it at once.
// Elsewhere (Windows, where a window program has no console) nothing is
// installed: the session's end comes through the session manager.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

    // Whether a second signal asks that the end be hurried.
    static bool hurried();
    // The exit status after an orderly end that a signal asked for: 128 + its number.
    static int exitStatus(int signal) { return 128 + signal; }

Q_SIGNALS:
    void received(int signal);

private:
    void readPipe();
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace rivonel
