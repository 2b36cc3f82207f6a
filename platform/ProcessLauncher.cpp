// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProcessLauncher.h"

#include "platform/EndSignals.h"

#include <QElapsedTimer>
#include <QThread>

namespace rivonel {

namespace {
// A wait on the spot looks this often, and forces for so many looks at most.
constexpr int waitStepMs = 20;
constexpr int forcedLooks = 100;
// Where the system tells no end, or after a stop, the run is looked at so often.
constexpr int pollIntervalMs = 50;
// What the script leaves is given this long to end by itself before it is
// taken for the emulator's leftovers: a console host, a process on its way out.
constexpr int settleMs = 1000;
} // namespace

// The timers and their wiring; the system's end notice is wired where it is
// made (watch).
void ProcessLauncher::setUpTimers()
{
    m_poll.setInterval(pollIntervalMs);
    m_force.setSingleShot(true);
    // The grace is given whole: a coarse timer may fire early.
    m_force.setTimerType(Qt::PreciseTimer);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        // Something may have started since the force: it goes the same way.
        if (m_forced)
            signalAll(true);
        if (!scriptRunning())
            reportEnd();
    });
    connect(&m_force, &QTimer::timeout, this, [this] {
        m_forced = true;
        signalAll(true);
    });
}

bool ProcessLauncher::start(const QString &scriptPath, const QString &workingDirectory,
                            std::function<void()> ended)
{
    forget();
    if (!launch(scriptPath, workingDirectory))
        return false;
    m_ended = std::move(ended);
    watch();
    return true;
}

bool ProcessLauncher::adopt(const QByteArray &identity, std::function<void()> ended)
{
    forget();
    if (!takeOn(identity) || !running()) {
        forget();
        return false;
    }
    m_ended = std::move(ended);
    watch();
    return true;
}

bool ProcessLauncher::running() const
{
    return scriptRunning() || anythingLeft();
}

ScriptEnd ProcessLauncher::scriptEnd()
{
    ScriptEnd end = systemScriptEnd();
    end.leftBehind = m_leftBehind;
    return end;
}

void ProcessLauncher::stop()
{
    if (!running())
        return;
    m_stopping = true;
    signalAll(false);
    m_force.start(m_graceMs);
    m_poll.start();
}

void ProcessLauncher::stopAndWait()
{
    if (!running())
        return;
    m_stopping = true;
    signalAll(false);
    QElapsedTimer clock;
    clock.start();
    // A second signal to end the program cuts the grace short.
    while (running() && clock.elapsed() < m_graceMs && !EndSignals::hurried())
        QThread::msleep(waitStepMs);
    // Forced on each look, so that what was started meanwhile goes too.
    for (int look = 0; running() && look < forcedLooks; ++look) {
        signalAll(true);
        QThread::msleep(waitStepMs);
    }
    if (running()) {
        m_force.start(0);
        m_poll.start();
    }
}

void ProcessLauncher::reportEnd()
{
    if (!m_ended)
        return;
    stopWatching();
    if (running()) {
        // The script has gone but what it started has not. Unasked, that is
        // what the emulator left behind: it goes as on a stop.
        if (!m_stopping && !scriptRunning()) {
            if (!m_settling.isValid())
                m_settling.start();
            if (m_settling.hasExpired(settleMs)) {
                m_leftBehind = true;
                stop();
            }
        }
        m_poll.start();
        return;
    }
    auto ended = std::move(m_ended);
    m_ended = nullptr;
    m_poll.stop();
    m_force.stop();
    ended();
}

// Lets go of the run without ending it.
void ProcessLauncher::forget()
{
    m_poll.stop();
    m_force.stop();
    m_stopping = false;
    m_forced = false;
    m_leftBehind = false;
    m_settling.invalidate();
    m_ended = nullptr;
    resetSystem();
}

} // namespace rivonel
