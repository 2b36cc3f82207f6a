#include "app/frmPrincipal.h"
#include "app/LogBox.h"
#include "app/ProgramInfo.h"
#include "platform/Desktop.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

namespace rivonel {

void frmPrincipal::cmdProcuraZinc_Click()
{
    const std::optional<QString> folder = m_desktop.pickFolder(this, LanguageTexts.text(12));
    if (!folder)
        return;
    // Only a warning: the folder is taken all the same.
    if (!fileExists(m_platform.join(*folder, m_platform.emulatorFileName)))
        m_desktop.showMessage(this, LanguageTexts.text(44), LanguageTexts.text(9),
                              Desktop::MessageStyle::Stop);
    txtZincDir->setText(*folder);
}

void frmPrincipal::cmdProcuraRoms_Click()
{
    const std::optional<QString> folder = m_desktop.pickFolder(this, LanguageTexts.text(13));
    if (folder)
        txtRomDir->setText(*folder);
}

void frmPrincipal::lblSite_Click()
{
    switch (m_desktop.openWebAddress(webAddress())) {
    case Desktop::WebOpenResult::Opened:
        break;
    case Desktop::WebOpenResult::NoBrowser:
        m_desktop.showMessage(this, QStringLiteral("Could not find associated Browser"),
                              QStringLiteral("Browser Not Found"),
                              Desktop::MessageStyle::Exclamation);
        break;
    case Desktop::WebOpenResult::NotOpened:
        m_desktop.showMessage(this, QStringLiteral("Web Page not Opened"),
                              QStringLiteral("URL Failed"), Desktop::MessageStyle::Exclamation);
        break;
    }
}

// Typing into the log box is discarded (the box is also read-only, which
// keeps paste, cut and drops out); selecting and copying still work.
bool frmPrincipal::txtlog_KeyPress(const QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll))
        return false;
    return !event->text().isEmpty();
}

} // namespace rivonel
