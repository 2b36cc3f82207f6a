#include "window/frmPrincipal.h"

#include "core/emulator/EmulatorConfigFiles.h"
#include "core/emulator/EmulatorInterface.h"
#include "core/games/GameTable.h"
#include "core/languages/LanguageSearch.h"
#include "core/options/FolderGuidance.h"
#include "core/options/Interlocks.h"
#include "core/options/OptionItems.h"
#include "core/options/OptionsFile.h"
#include "core/options/SavedOptions.h"
#include "core/settings/modRegistry.h"
#include "core/system/ProgramInfo.h"
#include "core/system/WholeFile.h"
#include "platform/Desktop.h"
#include "window/AboutBox.h"
#include "window/AppIcon.h"
#include "window/ArchiveMark.h"
#include "window/ImageList.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/RunWindow.h"
#include "window/SnapPicture.h"
#include "window/ValueCheckBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSessionManager>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <span>

namespace rivonel {

namespace {

const QString snapExtension = QStringLiteral(".jpg");
constexpr int videoTab = 0;
constexpr int audioTab = 1;
constexpr int generalTab = 2;
// How long the end of the program waits for a stopped run: the launcher's
// grace before it forces, and then some.
constexpr int runEndWaitMs = 10000;

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

// Refills a list while keeping its selected position, so a chosen setting
// stays chosen under its new name (and no selection stays none).
void refillKeepingPosition(QComboBox *list, const QStringList &items)
{
    const int position = list->currentIndex();
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(position);
}

} // namespace

frmPrincipal::frmPrincipal(Desktop &desktop, const ProgramLocations &locations, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_locations(locations),
      m_platform(desktop.conventions()),
      m_optionsFile(locations, m_platform,
                    [&settings = desktop.settingsAccess()](const QString &path) {
                        return settings.RootFromName(path) == modRegistry::settingsFile;
                    }),
      m_run(desktop.launcher(), m_platform, locations.runDirectory)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowIcon(appIcon());
    buildControls();
    bindOptions();
    // The texts and the check boxes start at their defaults here, before any
    // handler is connected; the lists, once Form_Load has filled them.
    showDefaults(entriesOfKind({SettingKind::Text, SettingKind::CheckState,
                                SettingKind::CheckedWhenOne, SettingKind::SoundEnable}));
    connectSignals();
    setUpPlayMarks();

    // Watch every control for Enter, so the window behaves as if cmdPlay
    // were a dialog's default button.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

frmPrincipal::~frmPrincipal()
{
    // A window destroyed during a run must not leave the hourglass behind.
    if (m_hourglass)
        QApplication::restoreOverrideCursor();
}

void frmPrincipal::bindOptions()
{
    using O = OptionSet;
    OptionBinder &b = m_options;
    b.bind(&O::renderer, cboRend, lblRenderer);
    b.bind(&O::resolution, cboResolution, lblResolution);
    b.bind(&O::colorDepth, cboColorDepth, lblColorDepth);
    b.bind(&O::scanLines, cboScanLines, lblScanlines);
    b.bind(&O::textureFiltering, cboTextureFiltering, lblTextureFiltering);
    b.bind(&O::textureQuality, cboTextureQuality, lblTextureQuality);
    b.bind(&O::textureCaching, cboTextureCaching, lblTextureCaching);
    b.bind(&O::turnDisplay, cboTurnDisplay, lblTurnDisplay);
    b.bind(&O::blending, cboBlending, lblBlending);
    b.bind(&O::frameRate, txtFrameRate, lblFrameRate);
    b.bind(&O::fullScreen, chkFullScreen);
    b.bind(&O::showFps, chkShowFPS);
    b.bind(&O::frameSkip, chkFrameSkip);
    b.bind(&O::frameSkipAuto, chkFrameSkipAuto);
    b.bind(&O::frameLimit, chkFrameLimit);
    b.bind(&O::dithering, chkDithering);
    b.bind(&O::enableKeys, chkEnableKeys);
    b.bind(&O::sound, chkSound);
    b.bind(&O::soundFilter, chkSoundFilter);
    b.bind(&O::soundFilterCutoff, txtSoundFilterCutoff, lblSoundFilterCutoff);
    b.bind(&O::stereoExciter, chkStereoExciter);
    b.bind(&O::surroundLite, chkSurroundLite);
    b.bind(&O::surroundLiteMultiplier, chkSurroundLiteMultiplier);
    b.bind(&O::surroundMultiplier, txtSurroundMultiplier);
    b.bind(&O::zincDirectory, txtZincDir, lblZincDir);
    b.bind(&O::romDirectory, txtRomDir, lblRomDir);
    b.bind(&O::useLowGeometry, chkUseLowGeometry);
    b.bind(&O::game, lstGames);
    b.bind(&O::language, cboLang, lblLanguage);
    Q_ASSERT_X(
        b.unboundKeys().isEmpty(), "frmPrincipal::bindOptions",
        qPrintable(QStringLiteral("options without a control: ") + b.unboundKeys().join(u", ")));
}

ListItems frmPrincipal::listItems() const
{
    return [this](ListChoice OptionSet::*list) { return m_options.items(list); };
}

void frmPrincipal::showDefaults(const std::bitset<optionCount> &which)
{
    m_options.show(defaultOptions(listItems()), which);
}

void frmPrincipal::connectSignals()
{
    connect(cmdPlay, &QPushButton::clicked, this, &frmPrincipal::cmdPlay_Click);
    connect(Timer1, &QTimer::timeout, this, &frmPrincipal::Timer1_Timer);
    connect(&m_run, &GameRun::started, this, &frmPrincipal::runStarted);
    connect(&m_run, &GameRun::failed, this, &frmPrincipal::runFailed);
    connect(&m_run, &GameRun::ended, this, &frmPrincipal::runEnded);
#ifndef QT_NO_SESSIONMANAGER
    if (qApp)
        connect(qApp, &QGuiApplication::commitDataRequest, this, &frmPrincipal::sessionEnding);
#endif
    // However the program is made to end, its run ends first.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &frmPrincipal::Form_Unload);
    connect(cboLang, &QComboBox::currentIndexChanged, this, &frmPrincipal::cboLang_Click);
    connect(lstGames, &QListWidget::itemSelectionChanged, this, &frmPrincipal::lstGames_Click);
    connect(lstGames, &QListWidget::itemDoubleClicked, this, &frmPrincipal::lstGames_DblClick);
    connect(cmdProcuraZinc, &QPushButton::clicked, this, &frmPrincipal::cmdProcuraZinc_Click);
    connect(cmdProcuraRoms, &QPushButton::clicked, this, &frmPrincipal::cmdProcuraRoms_Click);
    connect(cmdHelp, &QToolButton::clicked, this, &frmPrincipal::cmdHelp_Click);
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &frmPrincipal::cmdHelp_Click);
    connect(lblSite, &LinkLabel::activated, this, &frmPrincipal::lblSite_Click);
    // Fires only for typed text, which this list does not take.
    connect(cboLang, &QComboBox::editTextChanged, this, &frmPrincipal::cboLang_Change);
    connect(chkSound, &ValueCheckBox::valueChanged, this, &frmPrincipal::chkSound_Click);
    connect(chkSoundFilter, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkSoundFilter_Click);
    connect(chkSurroundLite, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkSurroundLite_Click);
    connect(chkFrameSkipAuto, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkFrameSkipAuto_Click);
    // The marks of missing archives follow the ROM folder: its name as it is
    // typed (once typing pauses) and what is put into it or taken away.
    m_romLookDelay.setSingleShot(true);
    m_romLookDelay.setInterval(250);
    connect(txtRomDir, &QLineEdit::textChanged, &m_romLookDelay, qOverload<>(&QTimer::start));
    connect(&m_romLookDelay, &QTimer::timeout, this, &frmPrincipal::lookAtRomFolder);
    // What is put into it comes in bursts (a copy of many archives): the
    // first change starts the delay and the rest ride on it, so a burst costs
    // one look and a long copy a look now and then, not one after another.
    connect(&m_romFolderWatch, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_romLookDelay.isActive())
            m_romLookDelay.start();
    });
    m_romLook.setJob(
        [names = m_platform.fileNames](const QString &folder, const std::atomic_bool &cancelled) {
            return lookForRomArchives(folder, names, &cancelled);
        },
        [this](const QString &, RomFolderLook look) {
            m_romFolder = std::move(look);
            showRomMarks();
            checkRomArchives();
        });
    setUpArchiveChecks();
    m_pictureLoad.setJob(
        [platform = m_platform](const PictureRequest &wanted, const std::atomic_bool &) {
            return readSnapPicture(firstExistingFile(wanted.folders, wanted.name, platform),
                                   wanted.box);
        },
        [this](const PictureRequest &wanted, const QImage &picture) {
            if (wanted.selection == m_selection && !picture.isNull())
                showPicture(picture);
        });
}

bool frmPrincipal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);

    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    auto *widget = qobject_cast<QWidget *>(watched);
    // Popups (an open drop-down list) are windows of their own and keep Enter.
    const bool ours = widget && widget->window() == this;
    // Another command button with the focus is pressed by Enter itself, and
    // so is the link.
    const bool otherButton =
        (qobject_cast<QPushButton *>(widget) && widget != cmdPlay) || widget == lblSite;
    if (enter && plain && ours && !otherButton) {
        if (cmdPlay->isEnabled())
            cmdPlay->click();
        return true;
    }
    if (watched == txtlog && txtlog_KeyPress(key))
        return true;
    if (ours && switchTabByKey(*key))
        return true;
    return QWidget::eventFilter(watched, event);
}

// A run is never left behind: a close during one asks whether to stop it,
// and the window closes once the run has ended.
void frmPrincipal::closeEvent(QCloseEvent *event)
{
    if (m_run.watching()) {
        event->ignore();
        if (m_closeAfterRun ||
            !m_desktop.ask(this, LanguageTexts.text(textKey::closeWhileRunning), windowTitle()))
            return;
        m_closeAfterRun = true;
        // The run may have ended while the question was open.
        if (!m_run.watching())
            QTimer::singleShot(0, this, &QWidget::close);
        else if (m_runWindow)
            m_runWindow->cmdStop->click();
        else
            stopRun();
        return;
    }
    Form_Unload();
    event->accept();
}

#ifndef QT_NO_SESSIONMANAGER
// The desktop session is ending: the user may still keep it going for the
// game; otherwise the game is stopped before anything closes.
void frmPrincipal::sessionEnding(QSessionManager &manager)
{
    if (!m_run.watching())
        return;
    if (manager.allowsInteraction()) {
        const bool stop =
            m_desktop.ask(this, LanguageTexts.text(textKey::closeWhileRunning), windowTitle());
        manager.release();
        if (!stop) {
            manager.cancel();
            return;
        }
    }
    endRunNow();
}
#endif

// Stops the run and waits for its end: the grace the launcher gives it, and
// then what the system takes to end what it forces.
void frmPrincipal::endRunNow()
{
    if (!m_run.watching())
        return;
    if (m_runWindow)
        m_runWindow->cmdStop->click();
    else
        stopRun();
    QEventLoop wait;
    connect(&m_run, &GameRun::ended, &wait, &QEventLoop::quit);
    QTimer::singleShot(runEndWaitMs, &wait, &QEventLoop::quit);
    if (m_run.watching())
        wait.exec();
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
    if (cboScanLines->count() == 0 || cboTextureQuality->count() == 0)
        rebuildLanguageLists(LanguageTextTable::designTimeListTexts());

    fillOptionLists();
    // The game and the language are start-up's own to choose.
    showDefaults(entriesOfKind({SettingKind::ListPosition, SettingKind::ListText}));
    AdicionaGames();
    loadPlayHistory();

    LastGameValue = savedValue(saved, optionEntry(&OptionSet::game));
    CarregaPadrao(saved);
    readArchiveKnowledge();
    lookAtRomFolder();

    // Replaces the selection line the load leaves behind; what start-up has
    // to say still reaches the user, each on a line of its own, what to set
    // first.
    txtlog->setText(
        (QStringList(startupLog(title, webAddress())) + guideToFolders() + m_startupNotices)
            .join(QStringLiteral("\r\n")));
    m_loaded = true;
}

void frmPrincipal::tellUser(const QString &notice)
{
    if (notice.isEmpty())
        return; // a text the language lacks: nothing to say, not an empty line
    if (!m_loaded)
        m_startupNotices << notice;
    else
        txtlog->append((txtlog->text().isEmpty() ? QString() : QStringLiteral("\r\n")) + notice);
}

void frmPrincipal::fillOptionLists()
{
    const struct {
        QComboBox *list;
        std::span<const QStringView> items;
    } lists[] = {
        {cboColorDepth, colorDepthItems},
        {cboTextureCaching, zeroToTwoItems},
        {cboBlending, zeroToTwoItems},
        {cboTurnDisplay, zeroToTwoItems},
        {cboResolution, resolutionItems},
        {cboRend, rendererItems},
        {cboTextureFiltering, textureFilteringItems},
    };
    for (const auto &entry : lists)
        for (QStringView item : entry.items)
            entry.list->addItem(item.toString());
}

void frmPrincipal::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;

    // Each step runs whatever the one before it did; nothing here may keep
    // the program from ending. A run still going is stopped, so that no
    // emulator outlives the program; no run handler runs after this.
    endRunNow();
    m_run.abandon();
    GravaPadrao();
    Timer1->stop();
    m_runWindow.reset();
}

// --- Options

OptionSet frmPrincipal::currentOptions() const
{
    return m_options.state().values;
}

// Read once, whole. A file that is missing or no ordinary file reads as empty,
// and so does one that cannot be read, which the user is told of.
IniDocument frmPrincipal::readOptionsFile()
{
    const OptionsFile::Loaded loaded = m_optionsFile.load();
    for (const QString &notice : m_optionsFile.notices(loaded, LanguageTexts))
        tellUser(notice);
    return loaded.document;
}

void frmPrincipal::CarregaPadrao(const IniDocument &saved)
{
    if (LastGameValue.isEmpty())
        showPicture(ImageList1->image(0));
    else if (const auto position = savedGamePosition(LastGameValue))
        selectGamePosition(*position);
    lstGames_Click();

    const LoadedOptions loaded = loadOptions(
        m_options.state(), [&saved](const OptionEntry &entry) { return savedValue(saved, entry); },
        listItems(), m_desktop.soundOutputCount() >= 1);
    m_options.show(loaded.state);
    if (loaded.soundLocked)
        tellUser(LanguageTexts.text(textKey::noSoundDevice));
}

void frmPrincipal::GravaPadrao()
{
    const QStringList problems =
        m_optionsFile.problems(m_optionsFile.save(currentOptions()), LanguageTexts);
    // The window closes all the same; the user learns what was not kept.
    if (!problems.isEmpty())
        m_desktop.showMessage(this, problems.join(QStringLiteral("\n\n")), windowTitle(),
                              Desktop::MessageStyle::Exclamation);
}

// --- Option interlocks: each box's rule runs when its value changes.

void frmPrincipal::chkSound_Click()
{
    runInterlockOf(&OptionSet::sound);
}

void frmPrincipal::chkSoundFilter_Click()
{
    runInterlockOf(&OptionSet::soundFilter);
}

void frmPrincipal::chkSurroundLite_Click()
{
    runInterlockOf(&OptionSet::surroundLite);
}

void frmPrincipal::chkFrameSkipAuto_Click()
{
    runInterlockOf(&OptionSet::frameSkipAuto);
}

void frmPrincipal::runInterlockOf(int OptionSet::*changed)
{
    OptionState state = m_options.state();
    runInterlock(state, changed);
    m_options.show(state);
}

// --- Pickers, web link and log box

void frmPrincipal::cmdProcuraZinc_Click()
{
    const std::optional<QString> folder =
        m_desktop.pickFolder(this, LanguageTexts.text(textKey::chooseZincDirectory));
    if (!folder)
        return;
    // Only a warning: the folder is taken all the same.
    if (!fileExists(m_platform.join(*folder, m_platform.emulatorFileName)))
        m_desktop.showMessage(this, LanguageTexts.text(textKey::zincMissing),
                              LanguageTexts.text(textKey::zincNotFoundTitle),
                              Desktop::MessageStyle::Stop);
    txtZincDir->setText(*folder);
}

void frmPrincipal::cmdProcuraRoms_Click()
{
    const std::optional<QString> folder =
        m_desktop.pickFolder(this, LanguageTexts.text(textKey::chooseRomDirectory));
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

void frmPrincipal::cmdHelp_Click()
{
    auto *about =
        new AboutBox({m_locations.installed, m_optionsFile.path(), m_run.scriptPath(),
                      m_run.logPath(), m_locations.languageFolders, m_platform.emulatorFileName},
                     LanguageTexts, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

// A new user's folders are empty (an installed copy ships none) and nothing
// can run until both are set.
QStringList frmPrincipal::guideToFolders()
{
    const QStringList steps = folderGuidance(currentOptions(), m_platform, LanguageTexts);
    if (!steps.isEmpty())
        abas->setCurrentIndex(generalTab);
    return steps;
}

// Typing into the log box is discarded (the box is also read-only, which
// keeps paste, cut and drops out); selecting and copying still work.
bool frmPrincipal::txtlog_KeyPress(const QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll))
        return false;
    // Tab moves the focus, as in any other box.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    return !event->text().isEmpty();
}

// --- Game catalogue

void frmPrincipal::AdicionaGames()
{
    int position = 0;
    for (const GameEntry &game : gameTable()) {
        lstGames->addItem(game.title.toString());
        RomSetNames.set(position, game.romSet.toString());
        ++position;
    }
}

// Asks for a look at the ROM folder; until it comes the marks stay as they are.
void frmPrincipal::lookAtRomFolder()
{
    m_romLookDelay.stop();
    const QString folder = txtRomDir->text();
    if (const QStringList watched = m_romFolderWatch.directories();
        watched != QStringList{folder}) {
        if (!watched.isEmpty())
            m_romFolderWatch.removePaths(watched);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            m_romFolderWatch.addPath(folder);
    }
    m_romLook.request(folder);
}

// A game whose archive is not there is marked with an icon and dimmed, and
// says so to the mouse and to a screen reader: the colour is never all there is.
void frmPrincipal::showRomMarks()
{
    const auto &present = m_romFolder.present;
    const bool unreadable = m_romFolder.status == RomFolderLook::Status::Unreadable;
    for (int position = 0; position < gameCount && position < lstGames->count(); ++position) {
        QListWidgetItem *item = lstGames->item(position);
        const QString archive =
            RomSetNames.at(position).value_or(QString()) + romArchiveExtension.toString();
        const bool missing = m_romFolder.status != RomFolderLook::Status::NotSet &&
                             !present[static_cast<std::size_t>(position)];
        if (!missing) {
            showArchiveMarkOf(item, RomSetNames.at(position).value_or(QString()));
        } else {
            const QString why =
                unreadable
                    ? LanguageTexts.text(textKey::romFolderUnreadable).arg(m_romFolder.folder, archive)
                    : LanguageTexts.text(textKey::archiveMissing).arg(archive, m_romFolder.folder);
            markMissingArchive(*lstGames, *item, true, why);
        }
        // What the user did with the game follows what its archive says.
        const QString told = withPlayHistory(position, item->toolTip());
        item->setToolTip(told);
        item->setData(Qt::AccessibleDescriptionRole, told);
        markFavourite(item, position);
    }
}

void frmPrincipal::selectGamePosition(int position)
{
    if (position < 0) {
        lstGames->clearSelection();
        lstGames->setCurrentRow(-1);
        return;
    }
    lstGames->setCurrentRow(position);
    lstGames->item(position)->setSelected(true);
}

void frmPrincipal::lstGames_Click()
{
    // The selection, not Qt's current row: focus alone makes a row current.
    const ListChoice game = currentOptions().game;
    // Written first, so it stands even when the picture fails.
    txtlog->setText(LanguageTexts.text(textKey::gameLabel) + QStringLiteral(": ") +
                    QString::number(gameNumber(game.position)) + QStringLiteral(" - ") + game.text);

    // The logo stands in until the game's picture is ready, and stays when
    // it has none, or one that cannot be read; the window never waits for it.
    ++m_selection;
    showPicture(ImageList1->image(0));
    if (const std::optional<QString> rom = RomSetNames.at(game.position))
        m_pictureLoad.request({m_locations.snapFolders, *rom + snapExtension,
                               Picture1->contentsRect().size(), m_selection});
}

void frmPrincipal::lstGames_DblClick()
{
    cmdPlay_Click();
}

void frmPrincipal::showPicture(const QImage &picture)
{
    const QSize box = Picture1->contentsRect().size();
    const QImage fitted = picture.size() == box || box.isEmpty()
                              ? picture
                              : picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Picture1->setPixmap(QPixmap::fromImage(fitted));
}

// --- Launch and run monitor

bool frmPrincipal::GeraZincCFG()
{
    return writeEmulatorOptionFile(m_platform, currentOptions(), EmulatorOptionFile::Zinc);
}

bool frmPrincipal::GeraRendererCFG()
{
    return writeEmulatorOptionFile(m_platform, currentOptions(), EmulatorOptionFile::Renderer);
}

void frmPrincipal::cmdPlay_Click()
{
    const OptionSet options = currentOptions();
    noteArchiveBeforePlay(options);
    m_run.play({options, RomSetNames.at(options.game.position), LanguageTexts});
}

void frmPrincipal::runStarted(const QString &log)
{
    LaunchCommand = m_run.launchCommand();
    txtlog->setText(withArchiveWarning(log));
    lockForRun();
    Timer1->start();
    // The way out while the main window is locked.
    m_runWindow = std::make_unique<RunWindow>(currentOptions().game.text, LanguageTexts, this);
    connect(m_runWindow.get(), &RunWindow::stopRequested, this, &frmPrincipal::stopRun);
    m_runWindow->setWindowFlag(Qt::Dialog);
    m_runWindow->setEnabled(true);
    m_runWindow->show();
}

void frmPrincipal::runFailed(const QString &log)
{
    LaunchCommand = m_run.launchCommand();
    txtlog->setText(log);
}

void frmPrincipal::lockForRun()
{
    if (!m_hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_hourglass = true;
    }
    cmdPlay->setEnabled(false);
    setEnabled(false);
}

void frmPrincipal::giveWindowBack()
{
    if (m_hourglass) {
        QApplication::restoreOverrideCursor();
        m_hourglass = false;
    }
    cmdPlay->setEnabled(true);
    setEnabled(true);
}

void frmPrincipal::Timer1_Timer()
{
    m_run.look();
}

void frmPrincipal::stopRun()
{
    m_run.stop();
}

void frmPrincipal::runEnded(const QString &report)
{
    LogLine = m_run.lastLine();
    learnFromRun();
    Timer1->stop();
    m_runWindow.reset();
    txtlog->appendVerdict(report);
    giveWindowBack();
    if (m_closeAfterRun)
        QTimer::singleShot(0, this, &QWidget::close);
}

// --- Localisation

void frmPrincipal::ListaLinguas()
{
    // The user's own languages first, then those installed with the program.
    QList<QStringList> folders;
    for (const QString &folder : m_locations.languageFolders)
        folders << ProcuraArquivos(folder + m_platform.separator, QStringLiteral("*.ini"),
                                   [] { QCoreApplication::processEvents(); });
    const LanguageChoice choice = chooseLanguage(folders, LanguageName);
    {
        // Qt selects the first item added to an empty list; only the
        // selection below may choose (and apply) a language.
        const QSignalBlocker quiet(cboLang);
        cboLang->addItems(choice.names);
        cboLang->setCurrentIndex(-1);
    }
    if (choice.selected >= 0)
        LanguageIndex = choice.selected;
    // Selecting applies the language (cboLang_Click).
    cboLang->setCurrentIndex(choice.selected);
}

void frmPrincipal::cboLang_Click()
{
    CarregaLingua();
}

void frmPrincipal::cboLang_Change()
{
    CarregaLingua();
}

void frmPrincipal::CarregaLingua()
{
    LanguageName = currentOptions().language.text;
    // Always the file directly in the language folder, whatever folder listed it.
    const QString file = firstExistingFile(m_locations.languageFolders,
                                           LanguageName + QStringLiteral(".ini"), m_platform);
    const IniDocument::Reading language = IniDocument::read(file);
    // A missing file is an entry found below the language folder: it has no texts.
    const bool unusable = language.status != IniDocument::ReadStatus::Read &&
                          language.status != IniDocument::ReadStatus::Missing;
    // A file that cannot be used leaves the window in English, never blank.
    LanguageTexts =
        unusable ? LanguageTextTable::english() : LanguageTextTable::fromFile(language.document);
    if (unusable)
        tellUser(LanguageTexts.text(textKey::fileNotRead)
                     .arg(file, whyNotRead(LanguageTexts, language.status)));

    rebuildLanguageLists(LanguageTexts);
    m_options.setCaptions(LanguageTexts);
    cmdPlay->setText(LanguageTexts.text(textKey::playCaption));
    mnuCheckArchive->setText(LanguageTexts.text(textKey::checkArchiveCaption));
    for (QPushButton *browse : {cmdProcuraZinc, cmdProcuraRoms})
        browse->setText(LanguageTexts.text(textKey::browseCaption));
    cmdHelp->setToolTip(LanguageTexts.text(textKey::helpButtonTip));
    cmdHelp->setAccessibleName(LanguageTexts.text(textKey::aboutTitle));
    abas->setTabText(videoTab, LanguageTexts.text(textKey::videoTabCaption));
    abas->setTabText(audioTab, LanguageTexts.text(textKey::audioTabCaption));
    abas->setTabText(generalTab, LanguageTexts.text(textKey::generalTabCaption));
    nameControls();
    showRomMarks();
}

void frmPrincipal::rebuildLanguageLists(const LanguageTextTable &texts)
{
    refillKeepingPosition(cboScanLines, scanLineItems(texts));
    refillKeepingPosition(cboTextureQuality, textureQualityItems(texts));
}

} // namespace rivonel
