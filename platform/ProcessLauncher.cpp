#include "platform/ProcessLauncher.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
#include "win32/HiddenLaunch.h"

#include <QWinEventNotifier>
#else
#include <poll.h>
#include <QDateTime>
#include <QSocketNotifier>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#include <sys/syscall.h>
#endif
#endif

namespace rivonel {

namespace {
constexpr int pollIntervalMs = 50;
// A wait on the spot looks this often, and forces for so many looks at most.
constexpr int waitStepMs = 20;
constexpr int forcedLooks = 100;

#ifdef Q_OS_WIN
ScriptEnd endFromExitCode(unsigned long code)
{
    // An exit code with both top bits set is an exception that ended the process.
    if ((code & 0xC0000000UL) != 0xC0000000UL)
        return {ScriptEnd::How::Exited, static_cast<qint64>(code), {}};
    const struct {
        unsigned long code;
        const char *name;
    } known[] = {
        {0xC0000005UL, "access violation"},   {0xC000001DUL, "illegal instruction"},
        {0xC0000094UL, "integer division by zero"}, {0xC00000FDUL, "stack overflow"},
        {0xC0000409UL, "stack buffer overrun"}, {0xC000013AUL, "Ctrl+C"},
    };
    QString cause = QStringLiteral("0x%1").arg(code, 8, 16, QLatin1Char('0')).toUpper();
    cause.replace(0, 2, QStringLiteral("0x"));
    for (const auto &entry : known)
        if (entry.code == code)
            cause = QStringLiteral("%1 (%2)").arg(QLatin1String(entry.name), cause);
    return {ScriptEnd::How::Killed, static_cast<qint64>(code), cause};
}
#else
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
#endif
} // namespace

ProcessLauncher::ProcessLauncher(PlatformConventions platform, int graceMs, QObject *parent)
    : QObject(parent), m_platform(std::move(platform)), m_graceMs(graceMs)
{
#ifdef Q_OS_LINUX
    // What the script's processes leave behind when they end comes to us,
    // not to init: a stop can still find it, and reap it.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
#ifndef Q_OS_WIN
        // Something may have started since the force: it goes the same way.
        if (m_forced)
            signalAll(true);
#endif
        if (!running())
            reportEnd();
    });
    m_force.setSingleShot(true);
    // The grace is given whole: a coarse timer may fire early.
    m_force.setTimerType(Qt::PreciseTimer);
    connect(&m_force, &QTimer::timeout, this, [this] {
#ifndef Q_OS_WIN
        m_forced = true;
#endif
        signalAll(true);
    });
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
    m_mark = newRunMark();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QByteArray mark = runMarkEntry(m_mark);
    const qsizetype equals = mark.indexOf('=');
    environment.insert(QString::fromLatin1(mark.left(equals)),
                       QString::fromLatin1(mark.mid(equals + 1)));
    process.setProcessEnvironment(environment);
    qint64 pid = 0;
    if (!process.startDetached(&pid) || pid <= 0)
        return false;
    m_pid = pid;
    // Qt detaches through a session leader that exits at once: the script's
    // group and session are that leader's, and live on as long as anything
    // in them. The script itself is now our child (we are its subreaper).
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
    // After a stop the run is over only once nothing of it is left.
    return m_stopping && !liveProcesses().isEmpty();
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

QList<RunProcess> ProcessLauncher::liveProcesses() const
{
    QList<RunProcess> live;
    for (const RunProcess &process : runProcesses(m_group, m_mark, m_known)) {
        m_known.insert(process.pid);
        if (!process.zombie)
            live << process;
        else if (process.pid == m_pid)
            reapScript();
        else if (process.parent == ::getpid())
            ::waitpid(static_cast<pid_t>(process.pid), nullptr, WNOHANG);
    }
#ifndef Q_OS_LINUX
    // Without a process table to read, the group is all there is to go by.
    if (m_group > 1 && ::kill(-static_cast<pid_t>(m_group), 0) == 0)
        live << RunProcess{m_group, 0, false};
#endif
    return live;
}

void ProcessLauncher::reapScript() const
{
    if (m_scriptReaped || m_pid <= 0)
        return;
    int status = 0;
    const pid_t reaped = ::waitpid(static_cast<pid_t>(m_pid), &status, WNOHANG);
    if (reaped == m_pid) {
        m_scriptReaped = true;
        m_end = endFromStatus(status);
    } else if (reaped < 0) {
        m_scriptReaped = true; // not ours to reap: how it ended is not told
    }
}
#endif

ScriptEnd ProcessLauncher::scriptEnd()
{
#ifdef Q_OS_WIN
    if (m_launch && !m_launch->running())
        if (const auto code = m_launch->exitCode())
            m_end = endFromExitCode(*code);
    return m_end;
#else
    if (!scriptRunning())
        reapScript();
    return m_end;
#endif
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
    while (running() && clock.elapsed() < m_graceMs)
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

void ProcessLauncher::signalAll(bool force)
{
#ifdef Q_OS_WIN
    if (m_launch)
        force ? m_launch->forceEnd() : m_launch->askToEnd();
#else
    const int signal = force ? SIGKILL : SIGTERM;
    if (m_group > 1)
        ::kill(-static_cast<pid_t>(m_group), signal);
    for (const RunProcess &process : liveProcesses())
        ::kill(static_cast<pid_t>(process.pid), signal);
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
    m_force.stop();
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
    m_end = ScriptEnd();
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
    m_mark.clear();
    m_known.clear();
    m_scriptReaped = false;
    m_forced = false;
#endif
}

} // namespace rivonel
