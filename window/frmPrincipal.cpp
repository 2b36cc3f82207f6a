// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frmPrincipal.h"

#include "core/app/CommandLine.h"
#include "core/games/GameTable.h"
#include "core/history/PlayHistory.h"
#include "core/options/LanguageLoad.h"
#include "core/options/SavedOptions.h"
#include "core/settings/modRegistry.h"
#include "core/system/ProgramInfo.h"
#include "core/system/ShownName.h"
#include "platform/Desktop.h"
#include "window/AppIcon.h"
#include "window/CouchMode.h"
#include "window/ImageList.h"
#include "window/KeyRouter.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"
#include "window/WindowGeometry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace rivonel {

frmPrincipal::frmPrincipal(Desktop &desktop, const ProgramLocations &locations, QWidget *parent)
    : QWidget(parent), frmPrincipalUi(this), m_desktop(desktop), m_platform(desktop.conventions()),
      m_files(ProgramFiles::of(locations, m_platform)),
      m_optionsFile(locations, m_platform,
                    [&settings = desktop.settingsAccess()](const QString &path) {
                        return settings.RootFromName(path) == modRegistry::settingsFile;
                    }),
      m_controls(*this), m_gameView(*this, m_controls, m_platform, m_files, LanguageTexts, this),
      m_run(desktop.launcher(), m_platform, m_files),
      m_games({lstGames, Picture1, ImageList1, mnuPlay, mnuCheckArchive, lblDetails, txtSearch,
               cboFilter},
              m_platform, m_files, LanguageTexts, this),
      m_runView(*this, *cmdPlay, *Timer1, m_run, desktop, LanguageTexts),
      m_guide(
          *this, m_platform, LanguageTexts, [this] { return currentOptions(); }, this),
      m_actions(*this, desktop, m_platform, m_files, LanguageTexts)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowIcon(appIcon());
    // Before any handler is connected.
    m_controls.showDefaults(OptionControls::Defaults::TextsAndBoxes);
    auto *geometry = new WindowGeometry(*this, m_files.windowGeometry, splLog, cboFilter);
    m_couch = new CouchMode(*this, *this, m_games, m_run, m_runView, *geometry, LanguageTexts);
    connectSignals();
    new KeyRouter(*this, *this);
    geometry->restore();
}

void frmPrincipal::connectSignals()
{
    connect(cmdPlay, &QPushButton::clicked, this, &frmPrincipal::cmdPlay_Click);
    connect(Timer1, &QTimer::timeout, this, &frmPrincipal::Timer1_Timer);
    connect(&m_run, &GameRun::started, this, &frmPrincipal::runStarted);
    connect(&m_run, &GameRun::failed, this, &frmPrincipal::runFailed);
    connect(&m_run, &GameRun::ended, this, &frmPrincipal::runEnded);
    // However the program is made to end, its run ends first.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &frmPrincipal::Form_Unload);
    connect(cboLang, &QComboBox::currentIndexChanged, this, &frmPrincipal::cboLang_Click);
    // Fires only for typed text, which this list does not take.
    connect(cboLang, &QComboBox::editTextChanged, this, &frmPrincipal::cboLang_Change);
    connect(lstGames, &QListWidget::itemSelectionChanged, this, &frmPrincipal::lstGames_Click);
    connect(&m_games, &GameList::playRequested, this, &frmPrincipal::lstGames_DblClick);
    connect(&m_games, &GameList::told, this, &frmPrincipal::say);
    connect(&m_gameView, &GameOptionsView::told, this, &frmPrincipal::say);
    connect(&m_gameView, &GameOptionsView::ownValuesChanged, &m_games, &GameList::showMarks);
    m_games.setOwnValuesOf([this](int position) { return m_gameView.ownValuesSummary(position); });
    connect(mnuCheckArchive, &QAction::triggered, this, &frmPrincipal::mnuCheckArchive_Click);
    // The marks follow the ROM folder's name as it is typed, once typing pauses.
    connect(txtRomDir, &QLineEdit::textChanged, &m_games.romFolder(), &RomFolderWatch::setFolder);
    connect(cmdProcuraZinc, &QPushButton::clicked, this, &frmPrincipal::cmdProcuraZinc_Click);
    connect(cmdProcuraRoms, &QPushButton::clicked, this, &frmPrincipal::cmdProcuraRoms_Click);
    connect(cmdHelp, &QToolButton::clicked, this, &frmPrincipal::cmdHelp_Click);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &frmPrincipal::cmdHelp_Click);
    connect(m_couch, &CouchMode::told, this, &frmPrincipal::say);
    connect(lblSite, &LinkLabel::activated, this, &frmPrincipal::lblSite_Click);
    connect(chkSound, &ValueCheckBox::valueChanged, this, &frmPrincipal::chkSound_Click);
    connect(chkSoundFilter, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkSoundFilter_Click);
    connect(chkSurroundLite, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkSurroundLite_Click);
    connect(chkFrameSkipAuto, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkFrameSkipAuto_Click);
}

// A run is never left behind: a close during one asks whether to stop it,
// and the window closes once the run has ended.
void frmPrincipal::closeEvent(QCloseEvent *event)
{
    if (!m_runView.mayClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

// --- Start-up and shutdown

void frmPrincipal::Form_Load()
{
    const QString title = rivonel::windowTitle(programVersion());
    setWindowTitle(title);

    const IniDocument saved = readOptionsFile();
    LanguageName = savedValue(saved, optionEntry(&OptionSet::language));
    ListaLinguas();
    // Without any language file the two language-dependent lists would stay
    // empty and their positions meaningless; give them the design-time texts.
    if (cboScanLines->count() == 0 || cboTextureQuality->count() == 0 || cboPadStop->count() == 0)
        m_controls.showLanguageLists(LanguageTextTable::designTimeListTexts());

    m_controls.fillLists();
    m_controls.showDefaults(OptionControls::Defaults::Lists);
    AdicionaGames();
    m_games.load();
    say(m_gameView.load());
    CarregaPadrao(saved);
    m_games.romFolder().lookNow(txtRomDir->text());
    m_games.showMarks(); // with the filter the last session left
    // What is still to set up stays in sight above the list, on the tab to set it.
    m_guide.refresh();
    if (!m_guide.steps().empty())
        abas->setCurrentIndex(generalTab);

    // Replaces the selection line the load leaves behind; what start-up has
    // to say still reaches the user, each on a line of its own.
    txtlog->setText(QStringList(startupLog(title, webAddress())).join(QStringLiteral("\r\n")));
    m_stage = Stage::Loaded;
    for (const Wording &notice : std::exchange(m_startupNotices, {}))
        say(notice);
    // A run an earlier copy left going is this window's run.
    if (const std::optional<Wording> notice = m_runView.resume(*lstGames))
        say(*notice);
    m_couch->start();
}

void frmPrincipal::say(const Wording &notice)
{
    if (!notice || notice(LanguageTexts).isEmpty())
        return; // a text the language lacks: nothing to say, not an empty line
    if (m_stage == Stage::Built)
        return m_startupNotices.append(notice);
    const QString lineEnd = txtlog->isEmpty() ? QString() : QStringLiteral("\r\n");
    txtlog->append(
        [notice, lineEnd](const LanguageTextTable &texts) { return lineEnd + notice(texts); },
        LanguageTexts);
}

void frmPrincipal::Form_Unload()
{
    if (m_stage == Stage::Unloaded)
        return;
    m_stage = Stage::Unloaded;
    // Each step runs whatever the one before it did; nothing here may keep
    // the program from ending. A run still going is stopped, so that no
    // emulator outlives the program; no run handler runs after this.
    m_runView.endNow();
    m_run.abandon();
    GravaPadrao();
    m_runView.giveBack();
}

// --- Options

OptionSet frmPrincipal::currentOptions() const
{
    return m_controls.values();
}

// Read once, whole. A file that is missing or no ordinary file reads as empty,
// and so does one that cannot be read, which the user is told of.
IniDocument frmPrincipal::readOptionsFile()
{
    OptionsFile::Loaded loaded = m_optionsFile.load();
    // What the notice needs, not the whole file.
    const OptionsFile::Loaded told{IniDocument(), loaded.created, loaded.status};
    say([this, told](const LanguageTextTable &texts) {
        return m_optionsFile.notices(told, texts).join(QStringLiteral("\r\n"));
    });
    return std::move(loaded.document);
}

void frmPrincipal::CarregaPadrao(const IniDocument &saved)
{
    const QString LastGameValue = savedValue(saved, optionEntry(&OptionSet::game));
    if (LastGameValue.isEmpty())
        m_games.showPicture(ImageList1->image(0));
    else if (const auto position = savedGamePosition(LastGameValue))
        m_games.select(*position);
    lstGames_Click();

    m_guide.followRenderer(!storedValue(saved, optionEntry(&OptionSet::renderer)));
    if (m_controls.load(saved, m_desktop.soundOutputCount() >= 1, m_platform))
        say([](const LanguageTextTable &texts) { return texts.text(textKey::noSoundDevice); });
}

void frmPrincipal::GravaPadrao()
{
    QStringList problems =
        m_optionsFile.problems(m_optionsFile.save(m_gameView.globalOptions()), LanguageTexts);
    if (const Wording notKept = m_gameView.keep())
        problems << notKept(LanguageTexts);
    // The window closes all the same; the user learns what was not kept.
    if (!problems.isEmpty())
        m_desktop.showMessage(this, problems.join(QStringLiteral("\n\n")), windowTitle(),
                              Desktop::MessageStyle::Exclamation);
}

// --- Game catalogue

void frmPrincipal::AdicionaGames()
{
    m_games.fill();
    for (int position = 0; position < gameCount; ++position)
        RomSetNames.set(position,
                        gameTable()[static_cast<std::size_t>(position)].romSet.toString());
}

void frmPrincipal::lstGames_Click()
{
    const ListChoice game = currentOptions().game;
    // Written first, so it stands even when the picture fails.
    txtlog->setText(
        [game](const LanguageTextTable &texts) {
            return texts.text(textKey::gameLabel) + QStringLiteral(": ") +
                   QString::number(gameNumber(game.position)) + QStringLiteral(" - ") + game.text;
        },
        LanguageTexts);
    m_games.showSelectedPicture();
    m_games.showDetails();
    m_guide.keepWarning({});
    m_gameView.gameSelected(game.position, game.text);
    m_runView.setPlayable(game.position >= 0);
    cmdPlay->setToolTip(game.position >= 0 ? QString()
                                           : LanguageTexts.text(textKey::chooseGameFirst));
}

void frmPrincipal::mnuCheckArchive_Click()
{
    if (const std::optional<QString> romSet = RomSetNames.at(currentOptions().game.position))
        m_games.romFolder().reportOn(*romSet, txtRomDir->text());
}

// --- Launch and run monitor

void frmPrincipal::cmdPlay_Click()
{
    const int position = currentOptions().game.position;
    const std::optional<QString> romSet = RomSetNames.at(position);
    if (!romSet)
        return; // Play is not offered without a game
    // The options of all games, with the game's own laid over them, kept
    // first: a run Rivonel does not see end keeps them too.
    const OptionSet options = m_gameView.optionsOf(position);
    const Wording notKept = m_gameView.keep();
    if (const Wording why = m_guide.whyNotPlayable(options, *romSet, m_games)) {
        txtlog->setText(why, LanguageTexts);
        return say(notKept);
    }
    const Wording warning = m_games.romFolder().beforePlay(options, romSet);
    // In sight while the run goes on, not only in the log.
    m_guide.keepWarning(warning);
    // Said first, where the launch lines do not replace it.
    m_run.play(
        {options, romSet, warning, lineAfterLine(notKept, m_gameView.ownValuesUsed(position))});
}

void frmPrincipal::runStarted(const Wording &log)
{
    LaunchCommand = m_run.launchCommand();
    txtlog->setText(log, LanguageTexts);
    m_games.runStarted(m_run.position(), m_run.startTime());
    m_runView.lock(currentOptions().game.text);
}

void frmPrincipal::runFailed(const Wording &log)
{
    LaunchCommand = m_run.launchCommand();
    txtlog->setText(log, LanguageTexts);
}

void frmPrincipal::runEnded(const RunOutcome &outcome)
{
    txtlog->appendVerdict(outcome.report, LanguageTexts);
    m_runView.giveBack();
    m_games.runEnded(outcome);
    m_guide.refresh();
}

void frmPrincipal::followCommandLine(const QStringList &args)
{
    const HandedPlay asked = handedPlay(args);
    if (m_stage != Stage::Loaded)
        return;
    m_couch->enterIf(asked.bigScreen);
    if (asked.ask == HandedPlay::Ask::Nothing)
        return;
    if (asked.ask == HandedPlay::Ask::UnknownGame)
        return say([game = asked.game](const LanguageTextTable &texts) {
            return texts.text(textKey::playAskedUnknownGame).arg(shownName(game));
        });
    const QString title = gameTable()[static_cast<std::size_t>(asked.position)].title.toString();
    // Play waits for a game without the window being busy.
    const bool busy = !isEnabled() || (!cmdPlay->isEnabled() && m_games.selected() >= 0) ||
                      QApplication::activeModalWidget();
    if (m_run.watching() || busy)
        return say(
            [key = m_run.watching() ? textKey::playAskedDuringRun : textKey::playAskedWhileBusy,
             title](const LanguageTextTable &texts) { return texts.text(key).arg(title); });
    m_games.select(asked.position);
    cmdPlay->click();
}

// --- Localisation

void frmPrincipal::ListaLinguas()
{
    // Selecting applies the language (cboLang_Click).
    m_controls.listLanguages(m_files.languageFolders, m_platform, LanguageName);
}

void frmPrincipal::CarregaLingua()
{
    LanguageName = currentOptions().language.text;
    const LoadedLanguage language = loadLanguage(m_files.languageFolders, LanguageName, m_platform);
    LanguageTexts = language.texts;
    // In the words it was found in: it says why this language could not be read.
    say([notice = language.notice](const LanguageTextTable &) { return notice; });
    m_controls.showLanguageLists(LanguageTexts);
    m_controls.showCaptions(LanguageTexts);
    nameControls(LanguageTexts);
    m_gameView.showTexts();
    m_games.showMarks();
    m_couch->showTexts();
    txtlog->retranslate(LanguageTexts);
    if (m_stage != Stage::Built)
        m_guide.refresh();
}

} // namespace rivonel
