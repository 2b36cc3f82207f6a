// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/RomSetSlots.h"
#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/options/OptionsFile.h"
#include "core/run/GameRun.h"
#include "core/system/PlatformConventions.h"
#include "core/system/ProgramFiles.h"
#include "core/system/ProgramLocations.h"
#include "window/CouchMode.h"
#include "window/DesktopActions.h"
#include "window/frmPrincipalUi.h"
#include "window/GameList.h"
#include "window/GameOptionsView.h"
#include "window/LogBox.h"
#include "window/OptionControls.h"
#include "window/RunPresenter.h"
#include "window/SetupGuide.h"

#include <QString>
#include <QStringList>
#include <QWidget>

namespace rivonel {

class BigScreenView;
class Desktop;
class IniDocument;
class PadDriver;

// The program's one window, a thin form: each procedure reads its controls
// into plain values and hands them to the part of the window, or the core,
// that decides, then shows the answer.
class frmPrincipal : public QWidget, public frmPrincipalUi {
    Q_OBJECT
public:
    // The locations say where rivonel.ini, the languages, the pictures, the
    // launch script and the emulator's log are.
    frmPrincipal(Desktop &desktop, const ProgramLocations &locations, QWidget *parent = nullptr);

    void Form_Load();
    void Form_Unload();
    // Where a run keeps its record while it is on, so that a copy started
    // after this one was killed takes the run on rather than start another
    // emulator beside it. Set before Form_Load, which takes on what it finds.
    void keepRunRecordIn(const QString &path) { m_run.keepRecordIn(path); }

    // Does what a command line asks of the open window: --play selects the
    // game and presses Play, as a user would, unless a run is on or the
    // window is busy, which the log box then says. args may start with the
    // program's name; the rest is read as the command line reads it.
    void followCommandLine(const QStringList &args);

    // Says something to the user in the log box; during start-up, after the
    // start-up lines.
    void say(const Wording &notice);

    // The parts of the window.
    GameList &gameList() { return m_games; }
    GameOptionsView &gameOptions() { return m_gameView; }
    const GameList &gameList() const { return m_games; }
    const GameRun &run() const { return m_run; }
    RunWindow *runWindow() const { return m_runView.runWindow(); }
    BigScreenView *bigScreen() const { return m_couch->bigScreen(); }
    PadDriver &pads() { return m_couch->pads(); }

    const RomSetSlots &romSetNames() const { return RomSetNames; }
    const LanguageTextTable &languageTexts() const { return LanguageTexts; }
    const QString &launchCommand() const { return LaunchCommand; }
    // The option controls' values as they stand.
    OptionSet currentOptions() const;
    // The keys of the options no control is bound to (none in a whole window).
    QStringList unboundOptions() const { return m_controls.unboundKeys(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectSignals();

    // Start-up and options.
    IniDocument readOptionsFile();
    void CarregaPadrao(const IniDocument &saved);
    void GravaPadrao();

    // Pickers, web link and About.
    void cmdProcuraZinc_Click() { m_actions.pickZincFolder(*txtZincDir); }
    void cmdProcuraRoms_Click() { m_actions.pickRomFolder(*txtRomDir); }
    void lblSite_Click() { m_actions.openWebAddress(); }
    void cmdHelp_Click() { m_actions.showAbout(); }

    // Option interlocks: each box's rule runs when its value changes.
    void chkSound_Click() { m_controls.runInterlockOf(&OptionSet::sound); }
    void chkSoundFilter_Click() { m_controls.runInterlockOf(&OptionSet::soundFilter); }
    void chkSurroundLite_Click() { m_controls.runInterlockOf(&OptionSet::surroundLite); }
    void chkFrameSkipAuto_Click() { m_controls.runInterlockOf(&OptionSet::frameSkipAuto); }

    // The game list.
    void AdicionaGames();
    void lstGames_Click();
    void lstGames_DblClick() { cmdPlay_Click(); }
    void mnuCheckArchive_Click();

    // Launch and run monitor: the run is GameRun's; the window locks,
    // unlocks and shows.
    void cmdPlay_Click();
    void Timer1_Timer() { m_run.look(); }
    void runStarted(const Wording &log);
    void runFailed(const Wording &log);
    void runEnded(const RunOutcome &outcome);

    // Localisation.
    void ListaLinguas();
    void CarregaLingua();
    void cboLang_Click() { CarregaLingua(); }
    void cboLang_Change() { CarregaLingua(); }

    Desktop &m_desktop;
    // Window-level values.
    QString LanguageName;
    LanguageTextTable LanguageTexts;
    RomSetSlots RomSetNames;
    QString LaunchCommand;
    const PlatformConventions m_platform;
    const ProgramFiles m_files;
    const OptionsFile m_optionsFile;
    OptionControls m_controls;
    GameOptionsView m_gameView;
    GameRun m_run;
    GameList m_games;
    RunPresenter m_runView;
    SetupGuide m_guide;
    DesktopActions m_actions;
    CouchMode *m_couch = nullptr; // the big-screen view and the pads
    enum class Stage { Built, Loaded, Unloaded } m_stage = Stage::Built;
    // What start-up has to tell the user (no sound device, a file not read);
    // it follows the start-up lines instead of being replaced by them.
    QList<Wording> m_startupNotices;
};

} // namespace rivonel
