// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/SetupGuide.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/games/ArchiveReport.h"
#include "core/options/OptionItems.h"
#include "window/frmPrincipalUi.h"
#include "window/GameList.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

namespace rivonel {

namespace {
constexpr int typingPauseMs = 300;
} // namespace

SetupGuide::SetupGuide(const frmPrincipalUi &ui, PlatformConventions platform,
                       const LanguageTextTable &texts, CurrentOptions options, QObject *parent)
    : QObject(parent), m_ui(ui), m_platform(std::move(platform)), m_texts(texts),
      m_options(std::move(options))
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(typingPauseMs);
    connectSignals();
}

void SetupGuide::connectSignals()
{
    connect(&m_delay, &QTimer::timeout, this, &SetupGuide::refresh);
    for (QLineEdit *field : {m_ui.txtZincDir, m_ui.txtRomDir})
        connect(field, &QLineEdit::textChanged, &m_delay, qOverload<>(&QTimer::start));
    connect(m_ui.cmdNotice, &QPushButton::clicked, this, &SetupGuide::openStep);
    // Only the user's own choice, not one made from code.
    connect(m_ui.cboRend, &QComboBox::activated, this, [this] { m_followRenderer = false; });
    m_ui.lblNotice->installEventFilter(this);
}

// The window's own minimum knows a label's height for one width only; the
// notice keeps the height its wrapped lines need at the width it has, so
// nothing below it is squeezed.
bool SetupGuide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.lblNotice &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        fitNotice();
    return false;
}

void SetupGuide::fitNotice()
{
    QLabel *label = m_ui.lblNotice;
    if (!label->isVisible())
        return; // laid out at its width once shown
    const int needed = label->heightForWidth(label->width());
    if (needed > 0 && needed != label->minimumHeight())
        label->setMinimumHeight(needed);
}

void SetupGuide::refresh()
{
    m_delay.stop();
    const OptionSet options = m_options();
    m_steps = folderSteps(options, m_platform, m_texts);
    markField(m_ui.txtZincDir, m_zincMark, &OptionSet::zincDirectory);
    markField(m_ui.txtRomDir, m_romMark, &OptionSet::romDirectory);
    markRenderers(options.zincDirectory);
    showNotice();
}

void SetupGuide::keepWarning(const Wording &warning)
{
    m_warning = warning;
    showNotice();
}

void SetupGuide::showNotice()
{
    // One step at a time: the first to take; the fields mark every one.
    QStringList lines;
    if (!m_steps.empty())
        lines << m_steps.front().line;
    if (const QString warning = m_warning ? m_warning(m_texts) : QString(); !warning.isEmpty())
        lines << warning;
    m_ui.lblNotice->setText(lines.join(u'\n'));
    fitNotice();
    m_ui.fraNotice->setVisible(!lines.isEmpty());
    m_ui.cmdNotice->setVisible(!m_steps.empty());
    if (!m_steps.empty())
        m_ui.cmdNotice->setText(m_texts.text(m_steps.front().folder == &OptionSet::zincDirectory
                                                 ? textKey::setZincButton
                                                 : textKey::setRomButton));
}

// A mark the eye sees in the field, and the step's line for the mouse and a
// screen reader.
void SetupGuide::markField(QLineEdit *field, QAction *&mark, QString OptionSet::*folder)
{
    const auto step = std::find_if(m_steps.cbegin(), m_steps.cend(),
                                   [folder](const FolderStep &s) { return s.folder == folder; });
    const QString line = step == m_steps.cend() ? QString() : step->line;
    if (line.isEmpty()) {
        delete std::exchange(mark, nullptr);
    } else if (!mark) {
        mark = field->addAction(field->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                QLineEdit::TrailingPosition);
    }
    if (mark)
        mark->setToolTip(line);
    field->setToolTip(line);
    field->setAccessibleDescription(line);
}

// Only a folder that is there can say which plug-ins are missing.
void SetupGuide::markRenderers(const QString &zincDirectory)
{
    const bool known = isExistingFolder(zincDirectory);
    // (In a game's view the list shows the game's renderer, not the one to follow.)
    if (known && m_followRenderer && m_ui.cboScope->currentIndex() <= 0 &&
        !rendererPresent(m_platform, zincDirectory, m_ui.cboRend->currentIndex()))
        m_ui.cboRend->setCurrentIndex(preferredRenderer(m_platform, zincDirectory));
    const int items = std::min(m_ui.cboRend->count(), int(std::size(rendererItems)));
    for (int position = 0; position < items; ++position) {
        const QString item = rendererItems[position].toString();
        m_ui.cboRend->setItemText(position,
                                  !known || rendererPresent(m_platform, zincDirectory, position)
                                      ? item
                                      : m_texts.text(textKey::pluginMissingMark).arg(item));
    }
}

// A folder still to set, or an archive the list already knows is not there;
// nothing when the game may run.
Wording SetupGuide::whyNotPlayable(const OptionSet &options, const QString &romSet,
                                   const GameList &games) const
{
    std::vector<FolderStep> steps = folderSteps(options, m_platform, m_texts);
    if (!steps.empty())
        return [steps, options, platform = m_platform](const LanguageTextTable &texts) {
            QStringList lines;
            for (const FolderStep &step : steps)
                lines << folderStepLine(step.folder, step.why, options.*step.folder, platform,
                                        texts);
            return lines.join(QStringLiteral("\r\n"));
        };
    if (!games.row(options.game.position).absent)
        return {};
    const RomFolderLook &look = games.romFolder().look();
    return [unreadable = look.status == RomFolderLook::Status::Unreadable, folder = look.folder,
            romSet](const LanguageTextTable &texts) {
        return archiveAbsentText(unreadable, folder, romSet, texts);
    };
}

void SetupGuide::openStep()
{
    if (m_steps.empty())
        return;
    QLineEdit *field =
        m_steps.front().folder == &OptionSet::zincDirectory ? m_ui.txtZincDir : m_ui.txtRomDir;
    m_ui.abas->setCurrentIndex(frmPrincipalUi::generalTab);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

} // namespace rivonel
