#pragma once

#include "core/emulator/RunReport.h"
#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/system/PlatformConventions.h"

#include <QObject>
#include <QString>

#include <optional>

namespace rivonel {

class Launcher;

// What a run is started with: the options as Play found them, the selected
// game's ROM set (none without a selection) and the texts its messages use.
struct RunRequest {
    OptionSet options;
    std::optional<QString> romSet;
    LanguageTextTable texts;
};

// One game run, from Play to its report: the emulator's option files, the
// checks, the launch script, the old log out of the way, the start, the log
// watched a slice at a time, a stop, and the report of how it ended. It
// knows no window: it says what happened through its signals.
class GameRun : public QObject {
    Q_OBJECT
public:
    // The launch script and the emulator's log live in runDirectory.
    GameRun(Launcher &launcher, PlatformConventions platform, QString runDirectory,
            QObject *parent = nullptr);

    // Writes the option files, checks and launches. Emits started once the
    // script runs, failed when nothing runs, and nothing without a game.
    void play(const RunRequest &request);
    // Reads what the log gained since the last look and ends the run, with
    // ended, once it is over. The owner calls it on its clock; the run also
    // looks on its own when the script ends, and again at once while a flood
    // of output is read.
    void look();
    // Asks the emulator, and everything it started, to end.
    void stop();
    // Lets go of the run, which goes on alone: nothing is reported any more.
    // The launch script is removed unless it still runs.
    void abandon();

    bool watching() const { return m_watching; }
    // The launch script's line of the last launch that passed the checks.
    const QString &launchCommand() const { return m_command; }
    // The log's deciding line, or its last, once the run has ended.
    QString lastLine() const { return m_watch.lastLine(); }
    QString scriptPath() const;
    QString logPath() const;

Q_SIGNALS:
    // The emulator was started; log is what the checks found.
    void started(const QString &log);
    // Nothing was started; log says why, after what the checks found.
    void failed(const QString &log);
    // The run is over; report says how it ended.
    void ended(const QString &report);

private:
    LogProblem readLogAddition(bool &caughtUp);

    Launcher &m_launcher;
    const PlatformConventions m_platform;
    const QString m_runDirectory;
    RunRequest m_request;
    QString m_command;
    bool m_watching = false;
    bool m_scriptEnded = false;
    bool m_stopRequested = false;
    RunLogWatch m_watch;
    qint64 m_logOffset = 0; // how much of the log the watch has read
};

} // namespace rivonel
