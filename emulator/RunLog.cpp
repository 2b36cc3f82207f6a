#include "emulator/RunLog.h"

#include "emulator/EmulatorInterface.h"

#include <QList>

namespace rivonel {

RunLogScan scanRunLog(const QByteArray &log)
{
    RunLogScan scan;
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

} // namespace rivonel
