// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/AboutBox.h"

#include "core/system/ProgramInfo.h"
#include "core/system/ShownName.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rivonel {

namespace {

QString aboutText(const AboutFacts &facts, const LanguageTextTable &texts)
{
    const auto t = [&texts](int key) { return texts.text(key); };
    // Each folder on a line of its own: a path may hold any punctuation.
    QString folders;
    for (const QString &folder : facts.languageFolders)
        folders += QStringLiteral("\n    ") + shownName(folder);
    const QStringList paragraphs = {
        windowTitle(programVersion()) + u'\n' + t(textKey::aboutPurpose),
        t(textKey::aboutNeeds).arg(facts.emulatorFileName),
        QStringList{t(facts.installed ? textKey::aboutInstalled : textKey::aboutPortable),
                    t(textKey::aboutOptionsFile).arg(shownName(facts.optionsFile)),
                    t(textKey::aboutLaunchScript).arg(shownName(facts.launchScript)),
                    t(textKey::aboutEmulatorLog).arg(shownName(facts.emulatorLog)),
                    t(textKey::aboutLastRunLog).arg(shownName(facts.lastRunLog)),
                    t(textKey::aboutLanguageFolders).arg(folders)}
            .join(u'\n'),
        t(textKey::aboutWebPage).arg(webAddress()),
        t(textKey::aboutLicence),
    };
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace

AboutBox::AboutBox(const AboutFacts &facts, const LanguageTextTable &texts, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(texts.text(textKey::aboutTitle));
    m_text = new QLabel(aboutText(facts, texts), this);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    // The paths are there to be copied.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setMinimumWidth(520);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(texts.text(textKey::closeCaption));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
}

QString AboutBox::text() const
{
    return m_text->text();
}

} // namespace rivonel
