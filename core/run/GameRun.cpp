// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/GameRun.h"

#include "core/emulator/EmulatorConfigFiles.h"
#include "core/emulator/EmulatorInterface.h"
#include "core/emulator/LaunchChecks.h"
#include "core/options/FolderGuidance.h"
#include "core/run/Launcher.h"
#include "core/run/RunRecord.h"
#include "core/system/SafeOpen.h"
#include "core/system/ShownName.h"
#include "core/system/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace rivonel {

namespace {

const QString crlf = QStringLiteral("\r\n");

} // namespace

GameRun::GameRun(Launcher &launcher, PlatformConventions platform, const ProgramFiles &files,
                 int lingerMs, QObject *parent)
    : QObject(parent), m_launcher(launcher), m_platform(std::move(platform)),
      m_runDirectory(files.runDirectory), m_script(files.launchScript), m_log(files.emulatorLog),
      m_lastRunLog(files.lastRunLog)
{
    m_linger.setSingleShot(true);
    m_linger.setInterval(lingerMs);
    connect(&m_linger, &QTimer::timeout, this, [this] {
        if (!m_watching || m_stopRequested)
            return;
        m_lingered = true;
        m_launcher.stop();
    });
}

void GameRun::play(const RunRequest &request)
{
    if (m_watching)
        return; // one run at a time
    const OptionSet &options = request.options;
    // A line break in a folder would land inside zinc.cfg and the launch line.
    if (folderLineBreak(options, {})) {
        if (request.romSet)
            Q_EMIT failed([options](const LanguageTextTable &texts) {
                return folderLineBreak(options, texts).value_or(QString());
            });
        return;
    }
    const QStringList unwritten = writeOptionFiles(options);
    // The disk is looked at once; what it answered words the checks again
    // in any language.
    const auto seen = std::make_shared<QHash<QString, bool>>();
    const LaunchCheck check = checkLaunch(
        m_platform, options, request.romSet, m_runDirectory, {},
        [seen](const QString &path) { return *seen->insert(path, QFileInfo(path).isFile()); });
    if (check.verdict == LaunchCheck::Verdict::NoGame)
        return;
    const Wording checked = [platform = m_platform, options, romSet = request.romSet,
                             directory = m_runDirectory, seen,
                             unwritten](const LanguageTextTable &texts) {
        QString log =
            checkLaunch(platform, options, romSet, directory, texts, [seen](const QString &path) {
                return seen->value(path);
            }).log;
        // Each on a line of its own, ended like the lines of a launch.
        for (const QString &file : unwritten)
            log += (log.endsWith(crlf) ? QString() : crlf) +
                   texts.text(textKey::optionFileNotWritten).arg(shownName(file)) + crlf;
        return log;
    };
    const Wording log = lineAfterLine(request.preface, checked);
    if (check.verdict != LaunchCheck::Verdict::Ready) {
        Q_EMIT failed(log);
        return;
    }
    m_command = check.command;
    for (const Wording &why : {writeScript(), clearStaleLog()})
        if (why) {
            Q_EMIT failed(followedBy(log, why));
            return;
        }
    if (!launch(request)) {
        Q_EMIT failed(followedBy(log, [script = m_script, shell = m_platform.launchShell](
                                          const LanguageTextTable &texts) {
            return texts.text(textKey::scriptNotStarted).arg(shownName(script), shell);
        }));
        return;
    }
    Q_EMIT started(lineAfterLine(request.warning, log));
}

// An option file that cannot be written is skipped, and the user told: the
// emulator would read the one that is there. Without a Zinc folder there is
// nowhere to write them (an empty name would mean the root), and the checks
// say what is missing.
QStringList GameRun::writeOptionFiles(const OptionSet &options) const
{
    QStringList unwritten;
    for (const EmulatorOptionFile file : {EmulatorOptionFile::Renderer, EmulatorOptionFile::Zinc})
        if (isExistingFolder(options.zincDirectory) &&
            !writeEmulatorOptionFile(m_platform, options, file))
            unwritten << emulatorOptionFilePath(m_platform, options, file);
    return unwritten;
}

Wording GameRun::writeScript() const
{
    QDir().mkpath(m_runDirectory);
    if (writeFileAnew(m_script, launchScriptBytes(m_platform, m_command)))
        return {};
    return [script = m_script](const LanguageTextTable &texts) {
        return texts.text(textKey::scriptNotWritten).arg(shownName(script));
    };
}

// A log left over from an earlier run would be taken for this run's. Removed
// without a look first, so a link that leads nowhere goes too; the look after
// a failure only chooses what to say.
Wording GameRun::clearStaleLog() const
{
    if (QFile::remove(m_log))
        return {};
    const QFileInfo left(m_log);
    if (!left.exists() && !left.isSymLink())
        return {};
    return [key = left.isFile() ? textKey::logInUse : textKey::staleLogNotAFile, log = m_log](
               const LanguageTextTable &texts) { return texts.text(key).arg(shownName(log)); };
}

bool GameRun::launch(const RunRequest &request)
{
    m_request = request;
    freshWatch();
    if (!m_launcher.start(m_script, m_runDirectory, lookWhenEnded()))
        return false;
    m_started = QDateTime::currentDateTimeUtc();
    m_watching = true;
    if (!m_recordPath.isEmpty())
        (void)writeFileAnew(m_recordPath,
                            RunRecord{m_launcher.identity(), request.options.game.position,
                                      m_started, request.options.romDirectory,
                                      request.romSet.value_or(QString())}
                                .toBytes());
    return true;
}

void GameRun::freshWatch()
{
    m_stopRequested = false;
    m_lingered = false;
    m_linger.stop();
    m_watch = RunLogWatch();
    m_logOffset = 0;
    m_kept = RunLogKeeper();
}

// Looks at the log at once when the launcher says the run ended, rather than
// on the next tick; nothing once this run object is gone.
std::function<void()> GameRun::lookWhenEnded()
{
    return [self = QPointer<GameRun>(this)] {
        if (self)
            self->look();
    };
}

bool GameRun::resume()
{
    if (m_watching || m_recordPath.isEmpty())
        return false;
    const std::optional<RunRecord> record = RunRecord::read(m_recordPath);
    if (!record || !m_launcher.adopt(record->launcher, lookWhenEnded())) {
        // Over, or never a record of ours: nothing of it is left to watch.
        if (QFileInfo::exists(m_recordPath) || QFileInfo(m_recordPath).isSymLink()) {
            QFile::remove(m_recordPath);
            QFile::remove(m_script);
            if (QFileInfo(m_log).isFile())
                QFile::remove(m_log);
        }
        return false;
    }
    m_request = RunRequest();
    m_request.options.game.position = record->position;
    m_request.options.romDirectory = record->romDirectory;
    m_request.romSet = record->romSet;
    freshWatch();
    m_started = record->started;
    m_watching = true;
    return true;
}

void GameRun::look()
{
    // A flood of output is read a slice a look, with the events between.
    if (!lookOnce())
        QTimer::singleShot(0, this, &GameRun::look);
}

// Each look reads only what the log gained since the last one. Once the
// launch script has ended, the look always ends the run; a deciding line
// before that gives the emulator its time to end by itself.
bool GameRun::lookOnce()
{
    if (!m_watching)
        return true;
    const bool scriptEnded = !m_launcher.running();
    bool caughtUp = true;
    LogProblem problem = readLogAddition(caughtUp);
    if (!caughtUp)
        return false;
    if (!scriptEnded) {
        if (m_watch.outcome() != RunLogWatch::Outcome::None && !m_lingered && !m_linger.isActive())
            m_linger.start();
        return true; // more may still come from an emulator that runs on
    }
    m_watch.finish();
    const bool kept = problem == LogProblem::None && keepOutput();
    if (!kept)
        QFile::remove(m_lastRunLog); // an earlier run's is no account of this one
    if (problem == LogProblem::None && !QFile::remove(m_log) && QFileInfo::exists(m_log))
        problem = LogProblem::NotDeleted;
    m_watching = false;
    m_linger.stop();
    if (!m_recordPath.isEmpty())
        QFile::remove(m_recordPath);
    // The watch keeps only a few lines, so the report can keep the watch.
    RunEnding ending{m_stopRequested, problem, m_log, m_launcher.scriptEnd(),
                     kept ? m_lastRunLog : QString()};
    ending.script.leftBehind = ending.script.leftBehind || m_lingered;
    const Wording report =
        [watch = m_watch, ending, romDirectory = m_request.options.romDirectory,
         romSet = m_request.romSet.value_or(QString())](const LanguageTextTable &texts) {
            return runReport(watch, ending, texts, romDirectory, romSet);
        };
    Q_EMIT ended({report, m_watch.lastLine(), m_request.options.game.position, m_started,
                  QDateTime::currentDateTimeUtc(), m_stopRequested});
    return true;
}

// Feeds the watch what the log gained, up to a slice; caughtUp tells whether
// that was all. A log not there yet is no problem.
LogProblem GameRun::readLogAddition(bool &caughtUp)
{
    // Judged on what was opened: the emulator may put anything at that name
    // at any moment, and a FIFO must never hold the window.
    QFile log;
    switch (openRegularFile(m_log, log)) {
    case OpenResult::Opened:
        break;
    case OpenResult::Missing:
        return LogProblem::None;
    case OpenResult::NotAFile:
        return LogProblem::NotAFile;
    case OpenResult::Unreadable:
        return LogProblem::Unreadable;
    }
    if (log.size() < m_logOffset)
        m_logOffset = 0; // a new log in its place
    if (!log.seek(m_logOffset))
        return LogProblem::Unreadable;
    // A piece at a time, so a flood of output never sits in memory whole.
    constexpr qint64 slice = 4 * 1024 * 1024;
    QByteArray piece(64 * 1024, Qt::Uninitialized);
    qint64 read = 0;
    for (qint64 taken = 0; m_watch.outcome() == RunLogWatch::Outcome::None; taken += read) {
        if (taken >= slice) {
            caughtUp = false;
            break;
        }
        read = log.read(piece.data(), piece.size());
        if (read <= 0)
            break;
        m_watch.feed(QByteArrayView(piece.constData(), read));
        m_kept.feed(QByteArrayView(piece.constData(), read));
        m_logOffset += read;
    }
    return read < 0 ? LogProblem::Unreadable : LogProblem::None;
}

bool GameRun::keepOutput()
{
    QFile log;
    if (openRegularFile(m_log, log) == OpenResult::Opened && log.size() > m_logOffset) {
        // Only the end can still be kept whole: what lies before it is counted.
        const qint64 from = std::max(m_logOffset, log.size() - RunLogKeeper::tailLimit);
        m_kept.skip(from - m_logOffset);
        if (log.seek(from)) {
            QByteArray piece(64 * 1024, Qt::Uninitialized);
            for (qint64 read; (read = log.read(piece.data(), piece.size())) > 0;)
                m_kept.feed(QByteArrayView(piece.constData(), read));
        }
    }
    return writeFileAnew(m_lastRunLog, m_kept.bytes());
}

void GameRun::stop()
{
    if (!m_watching)
        return;
    m_stopRequested = true;
    m_launcher.stop();
}

void GameRun::stopNow()
{
    if (!m_watching)
        return;
    m_stopRequested = true;
    m_launcher.stopAndWait();
    // Whatever the log still holds is read now: nothing will look later.
    while (m_watching && !lookOnce()) {
    }
}

void GameRun::abandon()
{
    m_watching = false;
    // The shell may not have read the script yet.
    if (!m_launcher.running()) {
        QFile::remove(m_script);
        if (!m_recordPath.isEmpty())
            QFile::remove(m_recordPath);
    }
}

} // namespace rivonel
