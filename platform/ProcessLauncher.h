#pragma once

#include "core/system/PlatformConventions.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QSocketNotifier;
class QWinEventNotifier;

namespace rivonel {

// Starts the launch script through the system's shell, hidden and detached in
// a session of its own (it outlives this program), with nothing of this
// program's standard input, output or error, and tells when it ends: through
// the operating system's exit notification where there is one (a pidfd on
// Linux, the process handle on Windows), otherwise by polling.
class ProcessLauncher : public QObject {
    Q_OBJECT
public:
    explicit ProcessLauncher(QObject *parent = nullptr);
    ~ProcessLauncher() override;

    // Forgets any earlier launch. ended runs once, on the event loop, after
    // the script has ended. False when the script could not be started.
    bool start(const PlatformConventions &platform, const QString &scriptPath,
               const QString &workingDirectory, std::function<void()> ended);

    // True until the script has ended, and after a stop until everything it
    // started has ended too.
    bool running() const;

    // Asks the script and everything it started to end (its process group on
    // Unix, its process tree on Windows), and forces them after graceMs.
    void stop(int graceMs = defaultGraceMs);
    static constexpr int defaultGraceMs = 3000;

private:
    void watch();
    void forget();
    void reportEnd();
    bool scriptRunning() const;
    void signalAll(bool force);

    qint64 m_pid = 0;
    qint64 m_group = 0; // the process group the script runs in (Unix)
    bool m_stopping = false;
    QTimer m_force;
    std::function<void()> m_ended;
    QTimer m_poll;
#ifdef Q_OS_WIN
    void *m_handle = nullptr;
    QWinEventNotifier *m_exitNotifier = nullptr;
#else
    int m_pidfd = -1;
    QSocketNotifier *m_exitNotifier = nullptr;
#endif
};

} // namespace rivonel
