// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/emulator/RunReport.h"
#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/run/RunLogKeeper.h"
#include "core/system/PlatformConventions.h"
#include "core/system/ProgramFiles.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

namespace rivonel {

class Launcher;

// What a run is started with: the options as Play found them and the selected
// game's ROM set (none without a selection).
struct RunRequest {
    OptionSet options;
    std::optional<QString> romSet;
    // Said before what the checks found once the emulator has started.
    Wording warning;
    // Said first of all, whether the emulator starts or not: the game's own options.
    Wording preface;
};

// How a run ended, for whoever keeps something of it: the log box's report,
// the log's deciding line, the game and when it ran.
struct RunOutcome {
    Wording report;
    QString lastLine;  // the deciding line, or the log's last
    int position = -1; // the game's place in the list
    QDateTime started; // UTC
    QDateTime ended;
    bool stopped = false;
};

// One game run, from Play to its report: the emulator's option files, the
// checks, the launch script, the old log out of the way, the start, the log
// watched a slice at a time, a stop, and the report of how it ended. It
// knows no window: it says what happened through its signals, as wordings
// of what it found, so the words follow a later switch of language.
class GameRun : public QObject {
    Q_OBJECT
public:
    // The launch script and the emulator's log are the files' own.
    // An emulator that printed its last line but runs on is stopped after lingerMs.
    GameRun(Launcher &launcher, PlatformConventions platform, const ProgramFiles &files,
            int lingerMs = defaultLingerMs, QObject *parent = nullptr);
    static constexpr int defaultLingerMs = 3000;

    // Writes the option files, checks and launches. Emits started once the
    // script runs, failed when nothing runs, and nothing without a game.
    void play(const RunRequest &request);
    // Reads what the log gained since the last look and ends the run, with
    // ended, once it is over: once the script, and all it started, has ended. The owner calls it on
    // its clock; the run also looks on its own when the script ends, and again at once while a
    // flood of output is read.
    void look();
    // Asks the emulator, and everything it started, to end.
    void stop();
    // Stops the run and waits for its end, up to the launcher's grace and its
    // forcing: the program is ending and no event loop will run again.
    void stopNow();
    // Lets go of the run, which goes on alone: nothing is reported any more.
    // The launch script is removed unless it still runs; so is the run's
    // record unless the run still runs, for the next copy to take it on.
    void abandon();

    // Where each run keeps its record while it is on (none when empty).
    void keepRecordIn(const QString &path) { m_recordPath = path; }
    // Takes on the run a record left by a copy that ended during it, as if
    // this copy had started it: true when it still runs and is now watched.
    // A record of a run that is over goes, with the run's script and log.
    bool resume();

    bool watching() const { return m_watching; }
    // The launch script's line of the last launch that passed the checks.
    const QString &launchCommand() const { return m_command; }
    const QString &scriptPath() const { return m_script; }
    // The game of the run under way, and when it started (UTC).
    int position() const { return m_request.options.game.position; }
    const QDateTime &startTime() const { return m_started; }
    const QString &logPath() const { return m_log; }

Q_SIGNALS:
    // The emulator was started; log is what the checks found.
    void started(const rivonel::Wording &log);
    // Nothing was started; log says why, after what the checks found.
    void failed(const rivonel::Wording &log);
    // The run is over; the outcome says how it ended.
    void ended(const RunOutcome &outcome);

private:
    // The steps of a Play, in order; each says why nothing may run, if so.
    QStringList writeOptionFiles(const OptionSet &options) const;
    Wording writeScript() const;
    Wording clearStaleLog() const;
    bool launch(const RunRequest &request);
    // A new run's watch: nothing read of its log, no stop asked.
    void freshWatch();
    std::function<void()> lookWhenEnded();
    // One look; false when a flood of output is left for the next.
    bool lookOnce();
    LogProblem readLogAddition(bool &caughtUp);
    // What the watch left unread of the log, then the whole kept in last-run.log.
    bool keepOutput();

    Launcher &m_launcher;
    const PlatformConventions m_platform;
    const QString m_runDirectory;
    const QString m_script;
    const QString m_log;
    const QString m_lastRunLog;
    RunRequest m_request;
    QDateTime m_started;
    QString m_recordPath;
    QString m_command;
    bool m_watching = false;
    bool m_stopRequested = false;
    QTimer m_linger;         // from the log's deciding line to a stop
    bool m_lingered = false; // the emulator had to be stopped after it
    RunLogWatch m_watch;
    qint64 m_logOffset = 0; // how much of the log the watch has read
    RunLogKeeper m_kept;
};

} // namespace rivonel
