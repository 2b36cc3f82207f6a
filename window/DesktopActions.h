// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/PlatformConventions.h"
#include "core/system/ProgramFiles.h"

#include <QString>

#include <optional>

class QLineEdit;
class QWidget;

namespace rivonel {

class Desktop;
class LanguageTextTable;

// What the window asks of the desktop for the user: a folder picked, the web
// address opened, the About box, each with what the user is told when it
// goes wrong.
class DesktopActions {
public:
    DesktopActions(QWidget &form, Desktop &desktop, const PlatformConventions &platform,
                   const ProgramFiles &files, const LanguageTextTable &texts);

    // The folder picked goes into the field, as if typed. A Zinc directory
    // without the emulator is taken all the same, after a warning.
    void pickZincFolder(QLineEdit &field) const;
    void pickRomFolder(QLineEdit &field) const;
    void openWebAddress() const;
    void showAbout() const;

private:
    QWidget &m_form;
    Desktop &m_desktop;
    const PlatformConventions &m_platform;
    const ProgramFiles &m_files;
    const LanguageTextTable &m_texts;
};

} // namespace rivonel
