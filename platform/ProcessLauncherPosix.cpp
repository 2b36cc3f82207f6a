// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's side on Unix: a detached /bin/sh in a session of its own,
// its processes found by group and by the run's mark, signalled and reaped.

#include "platform/ProcessLauncher.h"

#include "platform/RunProcesses.h"

#include <QDateTime>
#include <QProcess>
#include <QSet>
#include <QSocketNotifier>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <sys/syscall.h>
#endif

namespace rivonel {

namespace {

QString signalName(int signal)
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 32)
    const char *abbreviation = ::sigabbrev_np(signal);
    const char *description = ::sigdescr_np(signal);
    if (abbreviation && description) {
        QString text = QString::fromLocal8Bit(description);
        if (!text.isEmpty())
            text[0] = text[0].toLower();
        return QStringLiteral("%1 (SIG%2)").arg(text, QString::fromLatin1(abbreviation));
    }
#endif
    return QStringLiteral("signal %1").arg(signal);
}

ScriptEnd endFromStatus(int status)
{
    if (WIFSIGNALED(status))
        return {ScriptEnd::How::Killed, WTERMSIG(status), signalName(WTERMSIG(status))};
    const int code = WEXITSTATUS(status);
    // The shell ends with 128 + n when what it ran was killed by signal n.
    if (code > 128 && code - 128 < NSIG)
        return {ScriptEnd::How::Killed, code - 128, signalName(code - 128)};
    return {ScriptEnd::How::Exited, code, {}};
}

QByteArray newRunMark()
{
    static int runs = 0;
    return QByteArray::number(::getpid()) + '-' + QByteArray::number(++runs) + '-' +
           QByteArray::number(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

struct ProcessLauncher::System {
    qint64 pid = 0;
    qint64 group = 0; // the process group the script runs in
    int pidfd = -1;
    QByteArray mark;            // in the environment of everything the run starts
    qint64 started = 0;         // the script's start, as the process table counts it
    mutable QSet<qint64> known; // processes seen to be of the run
    mutable bool scriptReaped = false;
    bool adopted = false; // started by an earlier copy: not our child
    mutable ScriptEnd end;
    QSocketNotifier *exitNotifier = nullptr;

    bool scriptRunning() const
    {
        if (pid <= 0)
            return false;
        if (adopted) {
            // Not our children: what they leave goes to init, not to us, so
            // the run's processes are learnt while their parents still live.
            (void)liveProcesses();
            return processRuns(pid, started);
        }
#ifdef Q_OS_LINUX
        // The script is our child (we are its subreaper): its end is reaped.
        reapScript();
        return !scriptReaped;
#else
        return ::kill(static_cast<pid_t>(pid), 0) == 0;
#endif
    }

    void reapScript() const
    {
        if (scriptReaped || pid <= 0 || adopted)
            return;
        int status = 0;
        const pid_t reaped = ::waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
        if (reaped == pid) {
            scriptReaped = true;
            end = endFromStatus(status);
        } else if (reaped < 0) {
            scriptReaped = true; // not ours to reap: how it ended is not told
        }
    }

    // The run's processes still there; reaps those that have ended.
    QList<RunProcess> liveProcesses() const
    {
        QList<RunProcess> live;
        for (const RunProcess &process : runProcesses(group, mark, known, started)) {
            known.insert(process.pid);
            if (!process.zombie)
                live << process;
            else if (process.pid == pid)
                reapScript();
            else if (process.parent == ::getpid())
                ::waitpid(static_cast<pid_t>(process.pid), nullptr, WNOHANG);
        }
#ifndef Q_OS_LINUX
        // Without a process table to read, the group is all there is to go by.
        if (group > 1 && ::kill(-static_cast<pid_t>(group), 0) == 0)
            live << RunProcess{group, 0, false};
#endif
        return live;
    }

    ~System()
    {
        delete exitNotifier;
        if (pidfd >= 0)
            ::close(pidfd);
    }
};

ProcessLauncher::ProcessLauncher(PlatformConventions platform, int graceMs, QObject *parent)
    : QObject(parent), m_platform(std::move(platform)), m_graceMs(graceMs),
      m_system(std::make_unique<System>())
{
    prepareSystem();
    setUpTimers();
}

// What the system still holds of a run is let go, never ended.
ProcessLauncher::~ProcessLauncher() = default;

void ProcessLauncher::prepareSystem()
{
#ifdef Q_OS_LINUX
    // What the script's processes leave behind when they end comes to us,
    // not to init: a stop can still find it, and reap it.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif
}

bool ProcessLauncher::launch(const QString &scriptPath, const QString &workingDirectory)
{
    // Qt starts a detached process in a session of its own.
    QProcess process;
    process.setProgram(m_platform.launchShell);
    process.setArguments({scriptPath});
    process.setWorkingDirectory(workingDirectory);
    // Nothing of ours: the emulator must not write into the terminal that
    // started this program, nor keep its handles open.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    m_system->mark = newRunMark();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QByteArray mark = runMarkEntry(m_system->mark);
    const qsizetype equals = mark.indexOf('=');
    environment.insert(QString::fromLatin1(mark.left(equals)),
                       QString::fromLatin1(mark.mid(equals + 1)));
    process.setProcessEnvironment(environment);
    qint64 pid = 0;
    if (!process.startDetached(&pid) || pid <= 0)
        return false;
    m_system->pid = pid;
    // Qt detaches through a session leader that exits at once: the script's
    // group and session are that leader's, and live on as long as anything
    // in them. The script itself is now our child (we are its subreaper).
    m_system->group = ::getpgid(static_cast<pid_t>(pid));
    m_system->started = processStarted(pid);
    return true;
}

// "pid started group mark": the script, when it started, its process group
// and the mark all the run's processes carry.
QByteArray ProcessLauncher::identity() const
{
    const System &run = *m_system;
    if (run.pid <= 0)
        return {};
    return QByteArray::number(run.pid) + ' ' + QByteArray::number(run.started) + ' ' +
           QByteArray::number(run.group) + ' ' + run.mark;
}

bool ProcessLauncher::takeOn(const QByteArray &identity)
{
    const QList<QByteArray> fields = identity.split(' ');
    if (fields.size() != 4)
        return false;
    bool ok[3] = {};
    System &run = *m_system;
    run.pid = fields[0].toLongLong(&ok[0]);
    run.started = fields[1].toLongLong(&ok[1]);
    run.group = fields[2].toLongLong(&ok[2]);
    run.mark = fields[3];
    run.adopted = true;
    run.scriptReaped = true; // how it ends is not ours to learn
    // A mark this program makes; nothing else could find the run's processes.
    const bool plausible = ok[0] && ok[1] && ok[2] && run.pid > 1 && run.group > 1 &&
                           run.started > 0 && run.mark.size() <= 64 && !run.mark.isEmpty();
    for (const char c : run.mark)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-'))
            return false;
    if (!plausible)
        return false;
    // The script itself is of the run only while it is the process that was
    // started; a number used again since names someone else.
    if (processRuns(run.pid, run.started))
        run.known.insert(run.pid);
    else
        run.pid = 0;
    return true;
}

void ProcessLauncher::watch()
{
#if defined(Q_OS_LINUX) && defined(SYS_pidfd_open)
    System &run = *m_system;
    run.pidfd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(run.pid), 0));
    if (run.pidfd >= 0) {
        run.exitNotifier = new QSocketNotifier(run.pidfd, QSocketNotifier::Read, this);
        connect(run.exitNotifier, &QSocketNotifier::activated, this, &ProcessLauncher::reportEnd);
        return;
    }
#endif
    // No notification to be had (or the script has already gone): poll.
    m_poll.start();
}

void ProcessLauncher::stopWatching()
{
    if (m_system->exitNotifier)
        m_system->exitNotifier->setEnabled(false);
}

bool ProcessLauncher::scriptRunning() const
{
    return m_system->scriptRunning();
}

bool ProcessLauncher::anythingLeft() const
{
    return !m_system->liveProcesses().isEmpty();
}

ScriptEnd ProcessLauncher::systemScriptEnd()
{
    if (!m_system->scriptRunning())
        m_system->reapScript();
    return m_system->end;
}

void ProcessLauncher::signalAll(bool force)
{
    const int signal = force ? SIGKILL : SIGTERM;
    // Found before any of them ends, while each is still below its parent.
    const QList<RunProcess> processes = m_system->liveProcesses();
    if (m_system->group > 1)
        ::kill(-static_cast<pid_t>(m_system->group), signal);
    for (const RunProcess &process : processes)
        ::kill(static_cast<pid_t>(process.pid), signal);
}

void ProcessLauncher::resetSystem()
{
    m_system = std::make_unique<System>();
}

} // namespace rivonel
