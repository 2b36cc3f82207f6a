#pragma once

#include "core/run/Launcher.h"
#include "core/system/PlatformConventions.h"
#include "platform/RunProcesses.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;
class QWinEventNotifier;

namespace rivonel {

namespace win32 {
class HiddenLaunch;
}

// Starts the launch script through the system's shell, hidden and detached
// (it outlives this program), with nothing of this program's standard input,
// output or error, and tells when it ends: through the operating system's
// exit notification where there is one (a pidfd on Linux, the process handle
// on Windows), otherwise by polling. On Windows the script runs in a job that
// nothing can leave; on Linux this program is the subreaper of all it starts,
// and a run's processes carry a mark in their environment, so a stop finds
// them however they detached.
class ProcessLauncher : public QObject, public Launcher {
    Q_OBJECT
public:
    // A stop forces what did not end after graceMs.
    explicit ProcessLauncher(PlatformConventions platform, int graceMs = defaultGraceMs,
                             QObject *parent = nullptr);
    ~ProcessLauncher() override;
    static constexpr int defaultGraceMs = 3000;

    bool start(const QString &scriptPath, const QString &workingDirectory,
               std::function<void()> ended) override;
    // True until the script has ended, and after a stop until everything it
    // started has ended too.
    bool running() const override;
    // Asks the script and everything it started to end (its process group on
    // Unix, its job on Windows), and forces them after the grace time.
    void stop() override;
    void stopAndWait() override;
    ScriptEnd scriptEnd() override;

private:
    void watch();
    void forget();
    void reportEnd();
    void signalAll(bool force);

    const PlatformConventions m_platform;
    const int m_graceMs;
    std::function<void()> m_ended;
    QTimer m_poll;
    QTimer m_force;
    bool m_stopping = false;
#ifdef Q_OS_WIN
    std::unique_ptr<win32::HiddenLaunch> m_launch;
    QWinEventNotifier *m_exitNotifier = nullptr;
    ScriptEnd m_end;
#else
    bool scriptRunning() const;
    // The run's processes still there; reaps those that have ended.
    QList<RunProcess> liveProcesses() const;
    void reapScript() const;
    qint64 m_pid = 0;
    qint64 m_group = 0; // the process group the script runs in
    int m_pidfd = -1;
    QByteArray m_mark;                // in the environment of everything the run starts
    mutable QSet<qint64> m_known;     // processes seen to be of the run
    mutable bool m_scriptReaped = false;
    mutable ScriptEnd m_end;
    bool m_forced = false;
    QSocketNotifier *m_exitNotifier = nullptr;
#endif
};

} // namespace rivonel
