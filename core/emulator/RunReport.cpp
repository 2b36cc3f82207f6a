#include "core/emulator/RunReport.h"

#include "core/emulator/EmulatorInterface.h"

#include <QList>

namespace rivonel {

RunLogScan scanRunLog(const QByteArray &log)
{
    RunLogScan scan;
    scan.output = !log.isEmpty();
    const QList<QByteArray> lines = log.split('\n');
    // A final line end leaves an empty piece that is no line of its own.
    const qsizetype count = log.endsWith('\n') ? lines.size() - 1 : lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        QByteArray raw = lines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        scan.lastLine = QString::fromLocal8Bit(raw);
        if (scan.lastLine.startsWith(finishedLine)) {
            scan.outcome = RunLogScan::Outcome::Finished;
            break;
        }
        if (scan.lastLine.startsWith(missingRomLine)) {
            scan.outcome = RunLogScan::Outcome::MissingRom;
            break;
        }
    }
    return scan;
}

bool runIsOver(const RunLogScan &scan, bool emulatorEnded)
{
    return emulatorEnded || (scan.output && scan.outcome != RunLogScan::Outcome::None);
}

QString missingRomFileName(const QString &line, const QString &romDirectory, const QString &romSet)
{
    const QString prefix = missingRomLine.toString() + QLatin1Char(' ') + romDirectory +
                           QLatin1Char('/') + romSet + romArchiveExtension.toString() +
                           QStringLiteral(" [ ");
    QString name = line;
    name.remove(prefix);
    name.remove(QStringLiteral(" ]"));
    return name;
}

QString runReport(const RunLogScan &scan, const LanguageTextTable &texts,
                  const QString &romDirectory, const QString &romSet)
{
    if (!scan.output)
        return texts.text(textKey::noOutput);
    switch (scan.outcome) {
    case RunLogScan::Outcome::Finished:
        return texts.text(49);
    case RunLogScan::Outcome::MissingRom:
        return texts.text(50) + QStringLiteral(" '") +
               missingRomFileName(scan.lastLine, romDirectory, romSet) + QStringLiteral("' ") +
               texts.text(51) + romSet + romArchiveExtension.toString();
    case RunLogScan::Outcome::None:
        break;
    }
    return texts.text(textKey::unrecognisedOutput).arg(scan.lastLine);
}

} // namespace rivonel
