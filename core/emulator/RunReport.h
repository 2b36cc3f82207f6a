// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace rivonel {

// What the emulator's captured output says about the run, read a piece at a
// time as the log grows. The first line that starts with one of the two
// console lines decides, and nothing after it is read. It keeps only what the
// report needs, however much the emulator prints.
class RunLogWatch {
public:
    enum class Outcome { None, Finished, MissingRom };
    static constexpr qsizetype maxLineLength = 4096; // a longer line is kept cut to this
    static constexpr int keptLines = 5;

    // The bytes the log gained since the last look; only whole lines count.
    void feed(QByteArrayView added);
    // The emulator has ended: a last line without a line end counts too.
    void finish();

    Outcome outcome() const { return m_outcome; }
    bool output() const { return m_output; } // the log held anything at all
    // The deciding line, or the last line read, decoded as it stands: to be
    // shown, each goes through shownName.
    QString lastLine() const;
    // The last lines read, up to keptLines, the newest last.
    QStringList lastLines() const;
    // What the watch holds, in bytes.
    qsizetype keptBytes() const;

private:
    void takeLine(QByteArray raw);

    QByteArray m_partial;      // the line being read, cut to maxLineLength
    QList<QByteArray> m_lines; // as read: only these few are ever decoded
    Outcome m_outcome = Outcome::None;
    bool m_output = false;
};

// The missing file's name from a missing-ROM line: the line without the
// "ERROR: missing rom file: <rom dir>/<set>.zip [ " prefix and without " ]".
QString missingRomFileName(const QString &line, const QString &romDirectory, const QString &romSet);

// What became of the log when the run ended.
enum class LogProblem { None, NotAFile, Unreadable, NotDeleted };

// How the launch script ended, as far as the system tells. The script's
// status is the emulator's: the shell passes it on.
struct ScriptEnd {
    enum class How {
        Unknown, // still running, never started, or not told
        Exited,  // code: the exit code
        Killed,  // cause: the signal or exception that ended it, named for people
    };
    How how = How::Unknown;
    qint64 code = 0;
    QString cause;
    // Something of the run outlived the script and had to be ended.
    bool leftBehind = false;
};

struct RunEnding {
    bool stopped = false; // the user stopped the emulator
    LogProblem logProblem = LogProblem::None;
    QString logPath;
    ScriptEnd script;
    QString keptLog; // where the run's output was kept, if it was
};

// What the log box gets when the watched run is over: the outcome's message,
// what became of the log, and for any ending but a recognised line the
// emulator's last lines.
QString runReport(const RunLogWatch &watch, const RunEnding &ending, const LanguageTextTable &texts,
                  const QString &romDirectory, const QString &romSet);

} // namespace rivonel
