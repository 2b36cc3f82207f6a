// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GameOptionsView.h"

#include "core/emulator/PlayPreview.h"
#include "core/games/GameTable.h"
#include "core/options/SavedOptions.h"
#include "window/frmPrincipalUi.h"
#include "window/OptionControls.h"
#include "window/PreviewWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>

namespace rivonel {

namespace {

constexpr int allGames = 0, selectedGame = 1;

// Underlined: a mark that changes no width, so the window keeps its layout.
void setMarked(QWidget *widget, bool marked)
{
    if (!widget || widget->font().underline() == marked)
        return;
    QFont font = widget->font();
    font.setUnderline(marked);
    widget->setFont(font);
}

} // namespace

GameOptionsView::GameOptionsView(const frmPrincipalUi &ui, OptionControls &controls,
                                 PlatformConventions platform, const ProgramFiles &files,
                                 const LanguageTextTable &texts, QObject *parent)
    : QObject(parent), m_ui(ui), m_controls(controls), m_platform(std::move(platform)),
      m_files(files), m_texts(texts), m_file(files.gameOptions, files.settingsDirectory)
{
    connectSignals();
}

void GameOptionsView::connectSignals()
{
    connect(m_ui.cboScope, &QComboBox::currentIndexChanged, this, &GameOptionsView::scopeChosen);
    connect(m_ui.cmdOwnReset, &QPushButton::clicked, this, &GameOptionsView::backToAllGames);
    connect(m_ui.cmdPreview, &QPushButton::clicked, this, &GameOptionsView::showPreview);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), m_ui.abas->window()), &QShortcut::activated,
            this, &GameOptionsView::showPreview);
    m_controls.binder().onUserChange([this](int index) { userChanged(index); });
    for (int index = 0; index < optionCount; ++index) {
        QWidget *control = m_controls.binder().control(index);
        if (!control || !gameMayOwn(optionTable()[static_cast<std::size_t>(index)]))
            continue;
        control->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(control, &QWidget::customContextMenuRequested, this,
                [this, index](const QPoint &at) { contextMenu(index, at); });
    }
}

Wording GameOptionsView::load()
{
    return m_file.load();
}

Wording GameOptionsView::keep()
{
    return m_file.keep();
}

OptionSet GameOptionsView::globalOptions() const
{
    if (m_game < 0)
        return m_controls.values();
    // The folders and the language are everyone's in either view.
    OptionSet options = m_global.values;
    const OptionSet shown = m_controls.values();
    const ListItems items = m_controls.listItems();
    for (const OptionEntry &entry : optionTable()) {
        if (!gameMayOwn(entry))
            std::visit([&](auto member) { options.*member = shown.*member; }, entry.field);
        else if (const auto list = std::get_if<ListChoice OptionSet::*>(&entry.field))
            // A list's item, as it reads since the last switch of language.
            (options.**list).text = items(*list).value((options.**list).position);
    }
    return options;
}

OwnValues GameOptionsView::ownValues(int position) const
{
    return position >= 0 && position == m_game
               ? m_own
               : m_file.options().of(position, m_controls.listItems());
}

OptionSet GameOptionsView::optionsOf(int position) const
{
    OptionState global = m_game < 0 ? m_controls.state() : m_global;
    global.values = globalOptions();
    return withOwnValues(global, ownValues(position), m_controls.listItems(), soundPlayable())
        .values;
}

Wording GameOptionsView::ownValuesUsed(int position) const
{
    const OwnValues own = ownValues(position);
    if (own.empty())
        return {};
    return [own](const LanguageTextTable &texts) {
        return texts.text(textKey::gameOptionsUsed).arg(ownValuesText(own, texts));
    };
}

QString GameOptionsView::ownValuesSummary(int position) const
{
    return ownValuesText(ownValues(position), m_texts);
}

void GameOptionsView::tell(const Wording &text)
{
    if (text)
        Q_EMIT told(text);
}

bool GameOptionsView::soundPlayable() const
{
    return (m_game < 0 ? m_controls.state() : m_global).enabled(&OptionSet::sound);
}

void GameOptionsView::gameSelected(int position, const QString &title)
{
    m_selected = position;
    m_title = title;
    if (position < 0 && m_game >= 0)
        m_ui.cboScope->setCurrentIndex(allGames); // which shows them
    if (m_game >= 0 && m_game != position) {
        m_game = position;
        m_own = m_file.options().of(position, m_controls.listItems());
        showGameView();
    }
    showTexts();
}

void GameOptionsView::scopeChosen(int index)
{
    if (index == selectedGame && m_selected >= 0 && m_game < 0) {
        m_global = m_controls.state();
        m_game = m_selected;
        m_own = m_file.options().of(m_game, m_controls.listItems());
        showGameView();
    } else if (index != selectedGame && m_game >= 0) {
        m_controls.binder().show(m_global, ownableEntries());
        m_game = -1;
        m_own.clear();
        showMarks();
        tell(keep());
    }
}

void GameOptionsView::userChanged(int index)
{
    const OptionEntry &entry = optionTable()[static_cast<std::size_t>(index)];
    if (m_game < 0 || !gameMayOwn(entry))
        return;
    const QString text = savedText(m_controls.values(), entry);
    // A value that cannot stand on a line is not kept, and shows no more.
    if (m_file.options().setOwn(m_game, index, text))
        m_own[index] = text;
    showGameView();
}

void GameOptionsView::useValueOfAllGames(int index)
{
    m_file.options().drop(m_game, index);
    if (m_own.erase(index) > 0)
        showGameView();
    tell(keep());
}

void GameOptionsView::backToAllGames()
{
    if (m_game < 0)
        return;
    m_file.options().dropAll(m_game);
    m_own.clear();
    showGameView();
    tell(keep());
}

// The options of all games with the game's own values over them; what the file
// holds changes only with what the user does.
void GameOptionsView::showGameView()
{
    const OptionState shown =
        withOwnValues(m_global, m_own, m_controls.listItems(), soundPlayable());
    m_controls.binder().show(shown, ownableEntries());
    showMarks();
    Q_EMIT ownValuesChanged();
}

std::map<int, QStringList> GameOptionsView::languageLists() const
{
    std::map<int, QStringList> lists;
    for (const auto field : {&OptionSet::scanLines, &OptionSet::textureQuality})
        lists[optionIndex(field)] = m_controls.listItems()(field);
    return lists;
}

void GameOptionsView::followLanguageLists()
{
    const std::map<int, QStringList> before = std::exchange(m_words, languageLists());
    if (before == m_words)
        return;
    const ListItems items = m_controls.listItems();
    for (int position = 0; position < gameCount; ++position) {
        const OwnValues stored = m_file.options().stored(position);
        for (const auto &[index, words] : before) {
            const auto own = stored.find(index);
            if (own == stored.end())
                continue;
            const QStringList now =
                items(std::get<ListChoice OptionSet::*>(optionTable()[std::size_t(index)].field));
            const qsizetype at = words.indexOf(own->second);
            if (at < 0 || at >= now.size() || now.at(at) == own->second ||
                !m_file.options().setOwn(position, index, now.at(at)))
                continue;
            if (position == m_game)
                m_own[index] = now.at(at);
        }
    }
    Q_EMIT ownValuesChanged();
}

void GameOptionsView::showTexts()
{
    followLanguageLists();
    const QSignalBlocker quiet(m_ui.cboScope);
    m_ui.cboScope->setItemText(allGames, m_texts.text(textKey::optionsOfAllGames));
    if (m_selected < 0 && m_ui.cboScope->count() > 1)
        m_ui.cboScope->removeItem(selectedGame);
    else if (m_selected >= 0 && m_ui.cboScope->count() < 2)
        m_ui.cboScope->addItem(QString());
    if (m_selected >= 0)
        m_ui.cboScope->setItemText(selectedGame, m_title);
    m_ui.lblScope->setText(m_texts.text(textKey::optionsShownName));
    const QString back = m_texts.text(textKey::backToAllGames);
    m_ui.cmdOwnReset->setToolTip(back);
    m_ui.cmdOwnReset->setAccessibleName(back);
    const QString preview = m_texts.text(textKey::previewCaption);
    m_ui.cmdPreview->setToolTip(preview + QStringLiteral(" (F2)"));
    m_ui.cmdPreview->setAccessibleName(preview);
    m_ui.cmdPreview->setEnabled(m_selected >= 0);
    showMarks();
}

// Underlined, and said to the mouse and to a screen reader: never by colour alone.
void GameOptionsView::showMarks()
{
    for (int index = 0; index < optionCount; ++index) {
        QWidget *control = m_controls.binder().control(index);
        if (!control || !gameMayOwn(optionTable()[static_cast<std::size_t>(index)]))
            continue;
        const bool own = m_game >= 0 && m_own.count(index) > 0;
        const QString said = m_game < 0 ? QString()
                             : own      ? m_texts.text(textKey::ownValueMark).arg(m_title)
                                        : m_texts.text(textKey::valueOfAllGamesMark);
        for (QWidget *widget :
             {control, static_cast<QWidget *>(m_controls.binder().caption(index))})
            setMarked(widget, own);
        control->setAccessibleDescription(said);
        control->setToolTip(said);
    }
    m_ui.cmdOwnReset->setEnabled(m_game >= 0 && !m_own.empty());
    m_ui.cboScope->setToolTip(m_game < 0 ? QString()
                                         : m_texts.text(textKey::optionsOfGame).arg(m_title));
}

std::unique_ptr<QMenu> GameOptionsView::menuFor(int index)
{
    QWidget *control = m_controls.binder().control(index);
    auto *box = qobject_cast<QLineEdit *>(control);
    std::unique_ptr<QMenu> menu(box ? box->createStandardContextMenu() : new QMenu);
    if (m_game < 0)
        return box ? std::move(menu) : nullptr;
    if (box)
        menu->addSeparator();
    QAction *one = menu->addAction(m_texts.text(textKey::useValueOfAllGames));
    one->setEnabled(m_own.count(index) > 0);
    connect(one, &QAction::triggered, this, [this, index] { useValueOfAllGames(index); });
    QAction *all = menu->addAction(m_texts.text(textKey::backToAllGames));
    all->setEnabled(!m_own.empty());
    connect(all, &QAction::triggered, this, &GameOptionsView::backToAllGames);
    return menu;
}

void GameOptionsView::contextMenu(int index, const QPoint &at)
{
    if (const std::unique_ptr<QMenu> menu = menuFor(index))
        menu->exec(m_controls.binder().control(index)->mapToGlobal(at));
}

QString GameOptionsView::previewText() const
{
    std::bitset<optionCount> own;
    for (const auto &[index, text] : ownValues(m_selected))
        own.set(static_cast<std::size_t>(index));
    return playPreviewText(playPreview(m_platform, optionsOf(m_selected), own, m_files.runDirectory,
                                       m_controls.listItems()),
                           m_texts);
}

void GameOptionsView::showPreview()
{
    if (m_selected < 0)
        return;
    if (!m_preview)
        m_preview = new PreviewWindow(m_ui.abas->window());
    m_preview->showText(m_texts.text(textKey::previewCaption), previewText());
}

} // namespace rivonel
