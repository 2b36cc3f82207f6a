// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/GameOptionsFile.h"
#include "core/options/OptionTable.h"
#include "core/settings/IniDocument.h"
#include "core/system/PlatformConventions.h"
#include "core/system/ProgramFiles.h"
#include "window/PreviewWindow.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <memory>

class QMenu;
class QPoint;

namespace rivonel {

class OptionControls;
class frmPrincipalUi;

// The tabs show the options of all games or those of the selected game, as
// the switch beside Play says. In a game's view a control the user changes
// holds the game's own value, marked as such; the others show the options of
// all games. The game's own values are kept in game-options.ini.
class GameOptionsView : public QObject {
    Q_OBJECT
public:
    GameOptionsView(const frmPrincipalUi &ui, OptionControls &controls,
                    PlatformConventions platform, const ProgramFiles &files,
                    const LanguageTextTable &texts, QObject *parent = nullptr);

    // Reads game-options.ini: what the user is told of it, if anything.
    Wording load();
    // Writes what changed since the last write, unless the file could not be
    // read; what the user is told when it could not be written.
    Wording keep();

    bool showsGame() const { return m_game >= 0; }
    // The options of all games, whichever view is shown: what rivonel.ini keeps.
    OptionSet globalOptions() const;
    // What the game at position plays with, and its own values that differ.
    OptionSet optionsOf(int position) const;
    OwnValues ownValues(int position) const;
    // "Options of this game: …" before a launch; nothing for a game without own values.
    Wording ownValuesUsed(int position) const;
    // "renderer Software, resolution 640x480", empty for a game without own values.
    QString ownValuesSummary(int position) const;

    // The selected game changed (-1 for none): the switch names it, and a game's
    // view shows the new game's options.
    void gameSelected(int position, const QString &title);
    // The switch, the buttons and the marks in the language shown; after a switch
    // of language, every game's own value in the two lists of words follows its
    // item to the new word.
    void showTexts();
    // The preview of what Play would write for the selected game (F2).
    void showPreview();
    QString previewText() const;
    PreviewWindow *previewWindow() const { return m_preview; }
    // A control's context menu in a game's view: its way back to the value of
    // all games, and the whole game's. Nothing for a list or a box in the view
    // of all games; a text box keeps its own menu.
    std::unique_ptr<QMenu> menuFor(int index);

Q_SIGNALS:
    // A game's own values changed, so its mark in the list did.
    void ownValuesChanged();
    void told(const rivonel::Wording &text);

private:
    void connectSignals();
    void scopeChosen(int index);
    void userChanged(int index);
    void useValueOfAllGames(int index);
    void backToAllGames();
    void showGameView();
    void showMarks();
    void contextMenu(int index, const QPoint &at);
    bool soundPlayable() const;
    void tell(const Wording &text);
    std::map<int, QStringList> languageLists() const;
    void followLanguageLists();

    const frmPrincipalUi &m_ui;
    OptionControls &m_controls;
    const PlatformConventions m_platform;
    const ProgramFiles m_files;
    const LanguageTextTable &m_texts;
    GameOptionsFile m_file;
    int m_selected = -1; // the selected game
    QString m_title;
    int m_game = -1;      // the game whose options the tabs show, -1 for all games
    OwnValues m_own;      // its own values, as they are being changed
    OptionState m_global; // the options of all games while a game's are shown
    QPointer<PreviewWindow> m_preview;
    std::map<int, QStringList> m_words; // the lists of words, as last shown
};

} // namespace rivonel
