// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/DesktopActions.h"

#include <QLineEdit>

#include "core/languages/LanguageTextTable.h"
#include "core/options/LanguageLoad.h"
#include "core/system/ProgramInfo.h"
#include "platform/Desktop.h"
#include "window/AboutBox.h"

namespace rivonel {

DesktopActions::DesktopActions(QWidget &form, Desktop &desktop, const PlatformConventions &platform,
                               const ProgramFiles &files, const LanguageTextTable &texts)
    : m_form(form), m_desktop(desktop), m_platform(platform), m_files(files), m_texts(texts)
{
}

void DesktopActions::pickZincFolder(QLineEdit &field) const
{
    const std::optional<QString> folder =
        m_desktop.pickFolder(&m_form, m_texts.text(textKey::chooseZincDirectory));
    if (folder && !holdsEmulator(m_platform, *folder))
        m_desktop.showMessage(&m_form, m_texts.text(textKey::zincMissing),
                              m_texts.text(textKey::zincNotFoundTitle),
                              Desktop::MessageStyle::Stop);
    if (folder)
        field.setText(*folder);
}

void DesktopActions::pickRomFolder(QLineEdit &field) const
{
    if (const std::optional<QString> folder =
            m_desktop.pickFolder(&m_form, m_texts.text(textKey::chooseRomDirectory)))
        field.setText(*folder);
}

void DesktopActions::openWebAddress() const
{
    switch (m_desktop.openWebAddress(webAddress())) {
    case Desktop::WebOpenResult::Opened:
        break;
    case Desktop::WebOpenResult::NoBrowser:
        m_desktop.showMessage(&m_form, QStringLiteral("Could not find associated Browser"),
                              QStringLiteral("Browser Not Found"),
                              Desktop::MessageStyle::Exclamation);
        break;
    case Desktop::WebOpenResult::NotOpened:
        m_desktop.showMessage(&m_form, QStringLiteral("Web Page not Opened"),
                              QStringLiteral("URL Failed"), Desktop::MessageStyle::Exclamation);
        break;
    }
}

void DesktopActions::showAbout() const
{
    auto *about =
        new AboutBox({m_files.installed, m_files.options, m_files.launchScript, m_files.emulatorLog,
                      m_files.lastRunLog, m_files.languageFolders, m_platform.emulatorFileName},
                     m_texts, &m_form);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

} // namespace rivonel
