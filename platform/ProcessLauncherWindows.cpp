// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's side on Windows: cmd in a job that nothing started in it
// can leave, ended through the job.

#include "platform/ProcessLauncher.h"

#include "win32/HiddenLaunch.h"

#include <QDir>
#include <QWinEventNotifier>

namespace rivonel {

namespace {

ScriptEnd endFromExitCode(unsigned long code)
{
    // An exit code with both top bits set is an exception that ended the process.
    if ((code & 0xC0000000UL) != 0xC0000000UL)
        return {ScriptEnd::How::Exited, static_cast<qint64>(code), {}};
    const struct {
        unsigned long code;
        const char *name;
    } known[] = {
        {0xC0000005UL, "access violation"},         {0xC000001DUL, "illegal instruction"},
        {0xC0000094UL, "integer division by zero"}, {0xC00000FDUL, "stack overflow"},
        {0xC0000409UL, "stack buffer overrun"},     {0xC000013AUL, "Ctrl+C"},
    };
    QString cause = QStringLiteral("0x%1").arg(code, 8, 16, QLatin1Char('0')).toUpper();
    cause.replace(0, 2, QStringLiteral("0x"));
    for (const auto &entry : known)
        if (entry.code == code)
            cause = QStringLiteral("%1 (%2)").arg(QLatin1String(entry.name), cause);
    return {ScriptEnd::How::Killed, static_cast<qint64>(code), cause};
}

} // namespace

struct ProcessLauncher::System {
    std::unique_ptr<win32::HiddenLaunch> launch;
    QWinEventNotifier *exitNotifier = nullptr;
    ScriptEnd end;

    ~System() { delete exitNotifier; }
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
}

bool ProcessLauncher::launch(const QString &scriptPath, const QString &workingDirectory)
{
    m_system->launch = std::make_unique<win32::HiddenLaunch>();
    return m_system->launch->start(QDir::toNativeSeparators(scriptPath).toStdWString(),
                                   QDir::toNativeSeparators(workingDirectory).toStdWString());
}

// "process created job": see HiddenLaunch::Identity.
QByteArray ProcessLauncher::identity() const
{
    if (!m_system->launch)
        return {};
    const win32::HiddenLaunch::Identity run = m_system->launch->identity();
    if (run.job.empty())
        return {};
    return QByteArray::number(static_cast<qulonglong>(run.process)) + ' ' +
           QByteArray::number(run.created) + ' ' + QString::fromStdWString(run.job).toLatin1();
}

bool ProcessLauncher::takeOn(const QByteArray &identity)
{
    const QList<QByteArray> fields = identity.split(' ');
    if (fields.size() != 3 || !fields[2].startsWith("Local\\rivonel-run-") || fields[2].size() > 96)
        return false;
    bool ok[2] = {};
    win32::HiddenLaunch::Identity run;
    run.process = static_cast<unsigned long>(fields[0].toULong(&ok[0]));
    run.created = fields[1].toULongLong(&ok[1]);
    run.job = QString::fromLatin1(fields[2]).toStdWString();
    if (!ok[0] || !ok[1])
        return false;
    m_system->launch = std::make_unique<win32::HiddenLaunch>();
    return m_system->launch->adopt(run);
}

void ProcessLauncher::watch()
{
    // A script already gone has no handle to wait on: the job is polled.
    if (!m_system->launch->processHandle()) {
        m_poll.start();
        return;
    }
    m_system->exitNotifier = new QWinEventNotifier(m_system->launch->processHandle(), this);
    connect(m_system->exitNotifier, &QWinEventNotifier::activated, this,
            &ProcessLauncher::reportEnd);
}

void ProcessLauncher::stopWatching()
{
    if (m_system->exitNotifier)
        m_system->exitNotifier->setEnabled(false);
}

bool ProcessLauncher::scriptRunning() const
{
    return m_system->launch && m_system->launch->scriptRunning();
}

bool ProcessLauncher::anythingLeft() const
{
    return m_system->launch && m_system->launch->running();
}

ScriptEnd ProcessLauncher::systemScriptEnd()
{
    if (m_system->launch && !m_system->launch->running())
        if (const auto code = m_system->launch->exitCode())
            m_system->end = endFromExitCode(*code);
    return m_system->end;
}

void ProcessLauncher::signalAll(bool force)
{
    if (m_system->launch)
        force ? m_system->launch->forceEnd() : m_system->launch->askToEnd();
}

void ProcessLauncher::resetSystem()
{
    m_system = std::make_unique<System>();
}

} // namespace rivonel
