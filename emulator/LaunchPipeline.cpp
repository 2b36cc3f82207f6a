#include "app/frmPrincipal.h"
#include "app/LogBox.h"
#include "app/ValueCheckBox.h"
#include "emulator/EmulatorInterface.h"
#include "emulator/OptionFiles.h"
#include "games/GameTable.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace rivonel {

namespace {
const QString crlf = QStringLiteral("\r\n");
} // namespace

bool frmPrincipal::fileExists(const QString &path) const
{
    return QFileInfo(path).isFile();
}

void frmPrincipal::cmdPlay_Click()
{
    // A failing option file is skipped; the checks below still tell the user
    // what is missing.
    static_cast<void>(GeraRendererCFG());
    static_cast<void>(GeraZincCFG());

    const QString zinc = txtZincDir->text();
    const QString space = QStringLiteral(" ");
    const int position = selectedGamePosition();
    const std::optional<QString> rom = RomSetNames.at(position);
    if (!rom) // no game selected
        return;
    const QString archive = *rom + romArchiveExtension.toString();
    if (!fileExists(m_platform.join(txtRomDir->text(), archive))) {
        txtlog->setText(LanguageTexts.text(42) + space + archive + space + LanguageTexts.text(43));
        return;
    }

    txtlog->setText(LanguageTexts.text(41) + space + lstGames->item(position)->text() +
                    QStringLiteral("...") + crlf);

    if (!fileExists(m_platform.join(zinc, m_platform.emulatorFileName))) {
        txtlog->setText(LanguageTexts.text(44));
        return;
    }

    txtlog->append(LanguageTexts.text(chkSound->value() == ValueCheckBox::Checked ? 45 : 46) +
                   crlf);

    const RendererPlugin &plugin = rendererPlugin(cboRend->currentIndex());
    if (!fileExists(m_platform.join(zinc, plugin.file.toString()))) {
        txtlog->setText(LanguageTexts.text(42) + space + plugin.file.toString() + space +
                        LanguageTexts.text(47));
        return;
    }
    txtlog->append(LanguageTexts.text(48) + plugin.logName.toString() + crlf);

    LaunchCommand =
        rivonel::launchCommand(m_platform, zinc, gameNumber(position), m_programDirectory);
    const QString script = programFile(m_platform.launchScriptName);
    QString error;
    if (!writeFileAnew(script, textFileBytes({LaunchCommand}, m_platform.lineEnd), &error)) {
        txtlog->append(
            QStringLiteral("Rivonel could not write the launch script %1: %2").arg(script, error));
        return;
    }
    // A log left over from an earlier run would be taken for this run's.
    const QString log = programFile(emulatorLogFileName);
    if (QFileInfo::exists(log) && !QFile::remove(log)) {
        txtlog->append(
            QStringLiteral("The emulator log %1 is still in use; the game was not started.")
                .arg(log));
        return;
    }

    lockForRun();
    m_launchEnded = false;
    const QPointer<frmPrincipal> self(this);
    const bool started = m_desktop.startHidden(script, m_programDirectory, [self] {
        if (!self)
            return;
        self->m_launchEnded = true;
        // Look at the log at once rather than up to a tick later.
        if (self->m_watchingRun)
            self->Timer1_Timer();
    });
    if (!started) {
        giveWindowBack();
        txtlog->append(QStringLiteral("Rivonel could not start the launch script %1 with %2.")
                           .arg(script, m_platform.launchShell));
        return;
    }
    m_watchingRun = true;
    Timer1->start();
}

void frmPrincipal::lockForRun()
{
    if (!m_hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_hourglass = true;
    }
    cmdPlay->setEnabled(false);
    setEnabled(false);
}

void frmPrincipal::giveWindowBack()
{
    if (m_hourglass) {
        QApplication::restoreOverrideCursor();
        m_hourglass = false;
    }
    cmdPlay->setEnabled(true);
    setEnabled(true);
}

} // namespace rivonel
