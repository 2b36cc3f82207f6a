#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QByteArray>
#include <QString>

namespace rivonel {

// What the emulator's captured output says about the run.
struct RunLogScan {
    enum class Outcome { None, Finished, MissingRom };
    Outcome outcome = Outcome::None;
    QString lastLine;    // the matching line, or the last line read
    bool output = false; // the log held anything at all
};

// Reads the log line by line; the first line that starts with one of the two
// console lines decides, and nothing after it is read.
RunLogScan scanRunLog(const QByteArray &log);

// Whether a look at the log ends the watch: a recognised line does, and once
// the emulator has ended, nothing more will come.
bool runIsOver(const RunLogScan &scan, bool emulatorEnded);

// The missing file's name from a missing-ROM line: the line without the
// "ERROR: missing rom file: <rom dir>/<set>.zip [ " prefix and without " ]".
QString missingRomFileName(const QString &line, const QString &romDirectory, const QString &romSet);

// The line the log box gets when the watched run is over.
QString runReport(const RunLogScan &scan, const LanguageTextTable &texts,
                  const QString &romDirectory, const QString &romSet);

} // namespace rivonel
