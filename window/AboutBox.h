// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;

namespace rivonel {

// Where this copy keeps what it writes and reads, as the objects that use
// those files name them.
struct AboutFacts {
    bool installed = false;
    QString optionsFile;
    QString launchScript;
    QString emulatorLog;
    QString lastRunLog;
    QStringList languageFolders;
    QString emulatorFileName;
};

// The About box (F1): the version, what Rivonel needs from the user, where
// this copy keeps its files, the web address and the licence, in the user's
// language.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const AboutFacts &facts, const LanguageTextTable &texts, QWidget *parent);

    // What the box says, as plain text.
    QString text() const;

private:
    QLabel *m_text = nullptr;
};

} // namespace rivonel
