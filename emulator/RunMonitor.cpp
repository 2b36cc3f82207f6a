#include "app/frmPrincipal.h"
#include "app/LogBox.h"
#include "emulator/EmulatorInterface.h"
#include "emulator/RunLog.h"
#include "platform/Desktop.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace rivonel {

void frmPrincipal::Timer1_Timer()
{
    if (!m_watchingRun)
        return;
    const bool ended = m_launchEnded || !m_desktop.launchRunning();
    const QString path = programFile(emulatorLogFileName);
    const QFileInfo info(path);

    if (!info.exists() || info.size() == 0) {
        // Nothing yet; once the emulator has gone, nothing will come.
        if (ended) {
            QFile::remove(path);
            endRun(QStringLiteral("The emulator ended without writing any output."));
        }
        return;
    }

    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return; // still held by the shell: the next tick tries again
    const RunLogScan scan = scanRunLog(log.readAll());
    log.close();
    LogLine = scan.lastLine;

    // More may still come from an emulator that runs on.
    if (scan.outcome == RunLogScan::Outcome::None && !ended)
        return;
    if (!QFile::remove(path))
        return; // reported once the log can be deleted, never twice

    switch (scan.outcome) {
    case RunLogScan::Outcome::Finished:
        endRun(LanguageTexts.text(49));
        break;
    case RunLogScan::Outcome::MissingRom: {
        // The window is locked during a run, so the selection is the launched game's.
        const QString rom = RomSetNames.at(selectedGamePosition()).value_or(QString());
        endRun(LanguageTexts.text(50) + QStringLiteral(" '") +
               missingRomFileName(LogLine, txtRomDir->text(), rom) + QStringLiteral("' ") +
               LanguageTexts.text(51) + rom + romArchiveExtension.toString());
        break;
    }
    case RunLogScan::Outcome::None:
        endRun(QStringLiteral("The emulator ended without reporting how the game went; its last "
                              "line was: ") +
               LogLine);
        break;
    }
}

void frmPrincipal::endRun(const QString &report)
{
    m_watchingRun = false;
    Timer1->stop();
    txtlog->append(report);
    giveWindowBack();
}

} // namespace rivonel
