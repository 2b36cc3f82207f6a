#include "platform/ProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#ifdef Q_OS_WIN
#include "win32/HiddenLaunch.h"

#include <QWinEventNotifier>
#else
#include <poll.h>
#include <QSocketNotifier>
#include <signal.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#endif
#endif

namespace rivonel {

namespace {
constexpr int pollIntervalMs = 50;

#if !defined(Q_OS_WIN)
bool pidAlive(qint64 pid)
{
    if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) != 0)
        return false;
#ifdef Q_OS_LINUX
    // An ended process that nobody has reaped yet still answers kill().
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        if (close >= 0 && close + 2 < text.size() && text.at(close + 2) == 'Z')
            return false;
    }
#endif
    return true;
}
#endif
} // namespace

ProcessLauncher::ProcessLauncher(PlatformConventions platform, int graceMs, QObject *parent)
    : QObject(parent), m_platform(std::move(platform)), m_graceMs(graceMs)
{
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (!running())
            reportEnd();
    });
    m_force.setSingleShot(true);
    connect(&m_force, &QTimer::timeout, this, [this] { signalAll(true); });
}

ProcessLauncher::~ProcessLauncher()
{
    forget();
}

bool ProcessLauncher::start(const QString &scriptPath, const QString &workingDirectory,
                            std::function<void()> ended)
{
    forget();
#ifdef Q_OS_WIN
    m_launch = std::make_unique<win32::HiddenLaunch>();
    if (!m_launch->start(QDir::toNativeSeparators(scriptPath).toStdWString(),
                         QDir::toNativeSeparators(workingDirectory).toStdWString()))
        return false;
#else
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
    qint64 pid = 0;
    if (!process.startDetached(&pid) || pid <= 0)
        return false;
    m_pid = pid;
    // Qt detaches through a session leader that exits at once: the script's
    // group is that leader's, which lives on as long as anything in it.
    m_group = ::getpgid(static_cast<pid_t>(pid));
#endif
    m_ended = std::move(ended);
    watch();
    return true;
}

void ProcessLauncher::watch()
{
#ifdef Q_OS_WIN
    m_exitNotifier = new QWinEventNotifier(m_launch->processHandle(), this);
    connect(m_exitNotifier, &QWinEventNotifier::activated, this, &ProcessLauncher::reportEnd);
    return;
#elif defined(Q_OS_LINUX) && defined(SYS_pidfd_open)
    m_pidfd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(m_pid), 0));
    if (m_pidfd >= 0) {
        m_exitNotifier = new QSocketNotifier(m_pidfd, QSocketNotifier::Read, this);
        connect(m_exitNotifier, &QSocketNotifier::activated, this, &ProcessLauncher::reportEnd);
        return;
    }
#endif
#ifndef Q_OS_WIN
    // No notification to be had (or the script has already gone): poll.
    m_poll.start();
#endif
}

bool ProcessLauncher::running() const
{
#ifdef Q_OS_WIN
    return m_launch && m_launch->running();
#else
    if (scriptRunning())
        return true;
    // After a stop the run is over only once nothing in the script's process
    // group is left.
    return m_stopping && m_group > 1 && ::kill(-static_cast<pid_t>(m_group), 0) == 0;
#endif
}

#ifndef Q_OS_WIN
bool ProcessLauncher::scriptRunning() const
{
    if (m_pidfd >= 0) {
        pollfd fd{m_pidfd, POLLIN, 0};
        return ::poll(&fd, 1, 0) == 0;
    }
    return pidAlive(m_pid);
}
#endif

void ProcessLauncher::stop()
{
    if (!running())
        return;
    m_stopping = true;
    signalAll(false);
    m_force.start(m_graceMs);
}

void ProcessLauncher::signalAll(bool force)
{
#ifdef Q_OS_WIN
    if (m_launch)
        force ? m_launch->forceEnd() : m_launch->askToEnd();
#else
    if (m_group > 1)
        ::kill(-static_cast<pid_t>(m_group), force ? SIGKILL : SIGTERM);
#endif
}

void ProcessLauncher::reportEnd()
{
    if (!m_ended)
        return;
    if (running()) {
        // The script has gone but what it started has not: wait for that.
        if (m_exitNotifier)
            m_exitNotifier->setEnabled(false);
        m_poll.start();
        return;
    }
    auto ended = std::move(m_ended);
    m_ended = nullptr;
    m_poll.stop();
    if (m_exitNotifier)
        m_exitNotifier->setEnabled(false);
    ended();
}

void ProcessLauncher::forget()
{
    m_poll.stop();
    m_force.stop();
    m_stopping = false;
    m_ended = nullptr;
    delete m_exitNotifier;
    m_exitNotifier = nullptr;
#ifdef Q_OS_WIN
    // Lets go of the run without ending it.
    m_launch.reset();
#else
    if (m_pidfd >= 0)
        ::close(m_pidfd);
    m_pidfd = -1;
    m_pid = 0;
    m_group = 0;
#endif
}

} // namespace rivonel
