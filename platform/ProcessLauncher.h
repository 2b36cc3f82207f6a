// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run/Launcher.h"
#include "core/system/PlatformConventions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace rivonel {

// Starts the launch script through the system's shell, hidden and detached
// (it outlives this program), with nothing of this program's standard input,
// output or error, and tells when it ends: through the operating system's
// exit notification where there is one (a pidfd on Linux, the process handle
// on Windows), otherwise by polling. On Windows the script runs in a job that
// nothing can leave; on Linux this program is the subreaper of all it starts,
// and a run's processes carry a mark in their environment, so a stop finds
// them however they detached. What is the system's own lives in one file a
// system (ProcessLauncherPosix.cpp, ProcessLauncherWindows.cpp).
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
    // True until the script and everything it started have ended. What
    // outlives a script that ended on its own, and does not end by itself
    // within a second, is stopped as on a stop.
    bool running() const override;
    // Asks the script and everything it started to end (its process group on
    // Unix, its job on Windows), and forces them after the grace time.
    void stop() override;
    void stopAndWait() override;
    ScriptEnd scriptEnd() override;
    QByteArray identity() const override;
    bool adopt(const QByteArray &identity, std::function<void()> ended) override;

private:
    struct System; // the system's handles on the run
    void setUpTimers();
    void reportEnd();
    void forget();
    // The system's side of each step.
    static void prepareSystem();
    void resetSystem();
    bool scriptRunning() const;
    bool anythingLeft() const;
    ScriptEnd systemScriptEnd();
    bool launch(const QString &scriptPath, const QString &workingDirectory);
    bool takeOn(const QByteArray &identity);
    void watch();
    void stopWatching();
    void signalAll(bool force);

    const PlatformConventions m_platform;
    const int m_graceMs;
    std::function<void()> m_ended;
    QTimer m_poll;
    QTimer m_force;
    bool m_stopping = false;
    bool m_forced = false;     // forced: whatever still runs is forced again on each look
    bool m_leftBehind = false; // what outlived the script had to be ended
    QElapsedTimer m_settling;  // since the script ended with something left
    std::unique_ptr<System> m_system;
};

} // namespace rivonel
