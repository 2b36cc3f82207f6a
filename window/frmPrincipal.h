#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/games/RomArchives.h"
#include "core/games/RomSetSlots.h"
#include "core/history/PlayHistory.h"
#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/options/OptionsFile.h"
#include "core/run/GameRun.h"
#include "core/settings/IniDocument.h"
#include "core/system/PlatformConventions.h"
#include "core/system/ProgramLocations.h"
#include "core/system/SerialWorker.h"
#include "window/OptionBinder.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QSessionManager;
class QToolButton;
class QImage;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTimer;

namespace rivonel {

class Desktop;
class ImageList;
class LinkLabel;
class LogBox;
class RunWindow;
class ValueCheckBox;

// The program's one window. It reads its controls into plain values, asks the
// core what to do with them and shows the answer; the decisions live there.
class frmPrincipal : public QWidget {
    Q_OBJECT
public:
    // The locations say where rivonel.ini, the languages, the pictures, the
    // launch script and the emulator's log are.
    frmPrincipal(Desktop &desktop, const ProgramLocations &locations, QWidget *parent = nullptr);
    ~frmPrincipal() override;

    void Form_Load();
    void Form_Unload();

    // Does what a command line asks of the open window: --play selects the
    // game and presses Play, as a user would, unless a run is on or the
    // window is busy, which the log box then says. args may start with the
    // program's name; the rest is read as the command line reads it.
    void followCommandLine(const QStringList &args);
    // The times played and the favourites, as history.ini keeps them.
    const PlayHistory &playHistory() const { return m_history; }
    // The list's own actions: mark the game a favourite, and make its desktop shortcut.
    QAction *favouriteAction() const { return m_favouriteAction; }
    QAction *shortcutAction() const { return m_shortcutAction; }

    const RomSetSlots &romSetNames() const { return RomSetNames; }
    const LanguageTextTable &languageTexts() const { return LanguageTexts; }
    const QString &launchCommand() const { return LaunchCommand; }
    // Whether a launched emulator's log is being watched.
    bool runWatched() const { return m_run.watching(); }
    // The small window of the run under way, if any.
    RunWindow *runWindow() const { return m_runWindow.get(); }
    // The looks at the ROM folder, started and under way.
    const SerialWorker<QString, RomFolderLook> &romFolderLook() const { return m_romLook; }
    // The checks of the ROM archives, started and under way, and what they found.
    struct ArchiveCheckRequest {
        QString folder;
        ArchiveKnowledge known;
    };
    const SerialWorker<ArchiveCheckRequest, ArchiveKnowledge> &archiveCheck() const
    {
        return m_archiveCheck;
    }
    const ArchiveKnowledge &archiveKnowledge() const { return m_archives; }
    // Whether a game's picture is being read.
    bool pictureLoading() const { return m_pictureLoad.busy(); }

    // The option controls' values as they stand.
    OptionSet currentOptions() const;
    // The keys of the options no control is bound to (none in a whole window).
    QStringList unboundOptions() const { return m_options.unboundKeys(); }

    // Write the emulator's option files into the Zinc directory from the
    // current options; false when the file could not be written.
    [[nodiscard]] bool GeraZincCFG();
    [[nodiscard]] bool GeraRendererCFG();

    // The controls are the window's public face, as a form's are; tests
    // drive them directly. Everything else stays private.
    QListWidget *lstGames = nullptr;
    QLabel *Picture1 = nullptr;
    ImageList *ImageList1 = nullptr;
    QPushButton *cmdPlay = nullptr;
    QTabWidget *abas = nullptr;
    QLabel *lblLanguage = nullptr;
    QComboBox *cboLang = nullptr;
    QToolButton *cmdHelp = nullptr; // opens the About box, as F1 does
    LinkLabel *lblSite = nullptr;
    LogBox *txtlog = nullptr;
    QTimer *Timer1 = nullptr;
    // The list's context menu: the selected game's archive report.
    QAction *mnuCheckArchive = nullptr;

    // Tab "Vídeo".
    QLabel *lblRenderer = nullptr;
    QComboBox *cboRend = nullptr;
    QLabel *lblResolution = nullptr;
    QComboBox *cboResolution = nullptr;
    QLabel *lblColorDepth = nullptr;
    QComboBox *cboColorDepth = nullptr;
    QLabel *lblScanlines = nullptr;
    QComboBox *cboScanLines = nullptr;
    QLabel *lblTextureFiltering = nullptr;
    QComboBox *cboTextureFiltering = nullptr;
    QLabel *lblTextureQuality = nullptr;
    QComboBox *cboTextureQuality = nullptr;
    QLabel *lblTextureCaching = nullptr;
    QComboBox *cboTextureCaching = nullptr;
    QLabel *lblFrameRate = nullptr;
    QLineEdit *txtFrameRate = nullptr;
    QLabel *lblTurnDisplay = nullptr;
    QComboBox *cboTurnDisplay = nullptr;
    QLabel *lblBlending = nullptr;
    QComboBox *cboBlending = nullptr;
    ValueCheckBox *chkFullScreen = nullptr;
    ValueCheckBox *chkShowFPS = nullptr;
    ValueCheckBox *chkFrameSkip = nullptr;
    ValueCheckBox *chkFrameSkipAuto = nullptr;
    ValueCheckBox *chkFrameLimit = nullptr;
    ValueCheckBox *chkDithering = nullptr;
    ValueCheckBox *chkEnableKeys = nullptr;

    // Tab "Audio".
    ValueCheckBox *chkSound = nullptr;
    ValueCheckBox *chkSoundFilter = nullptr;
    QLabel *lblSoundFilterCutoff = nullptr;
    QLineEdit *txtSoundFilterCutoff = nullptr;
    ValueCheckBox *chkStereoExciter = nullptr;
    ValueCheckBox *chkSurroundLite = nullptr;
    ValueCheckBox *chkSurroundLiteMultiplier = nullptr;
    QLineEdit *txtSurroundMultiplier = nullptr;

    // Tab "Geral".
    QLabel *lblZincDir = nullptr;
    QLineEdit *txtZincDir = nullptr;
    QPushButton *cmdProcuraZinc = nullptr;
    QLabel *lblRomDir = nullptr;
    QLineEdit *txtRomDir = nullptr;
    QPushButton *cmdProcuraRoms = nullptr;
    ValueCheckBox *chkUseLowGeometry = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Construction (frmPrincipalLayout.cpp builds the controls).
    void buildControls();
    void layOutControls();

    // Keyboard, screen reader and geometry (frmPrincipalAccess.cpp).
    void setFocusOrder();
    void nameControls();
    bool switchTabByKey(const QKeyEvent &key);
    QString geometryFile() const;
    void restoreWindowGeometry();
    void bindOptions();
    // Puts the controls of the entries `which` names at their defaults.
    void showDefaults(const std::bitset<optionCount> &which);
    ListItems listItems() const;
    void connectSignals();

    // Start-up and options.
    void fillOptionLists();
    IniDocument readOptionsFile();
    void CarregaPadrao(const IniDocument &saved);
    void GravaPadrao();
    // Says something to the user in the log box; during start-up, after the
    // start-up lines.
    void tellUser(const QString &notice);

    // Pickers, web link and log box.
    void cmdProcuraZinc_Click();
    void cmdProcuraRoms_Click();
    void lblSite_Click();
    void cmdHelp_Click();
    // What to say of the Zinc and ROM directories that are not set yet;
    // shows their tab when there is something to say.
    QStringList guideToFolders();
    bool txtlog_KeyPress(const QKeyEvent *event);

    // Option interlocks.
    void chkSound_Click();
    void chkSoundFilter_Click();
    void chkSurroundLite_Click();
    void chkFrameSkipAuto_Click();
    void runInterlockOf(int OptionSet::*changed);

    // Game catalogue.
    void AdicionaGames();
    void lookAtRomFolder();
    void showRomMarks();
    void lstGames_Click();
    void lstGames_DblClick();
    void showPicture(const QImage &picture);

    // The ROM archives' checks (frmPrincipalArchives.cpp).
    void setUpArchiveChecks();
    void readArchiveKnowledge();
    void checkRomArchives();
    void archivesChecked(ArchiveKnowledge checked);
    void showArchiveMarkOf(QListWidgetItem *item, const QString &romSet);
    void mnuCheckArchive_Click();
    void noteArchiveBeforePlay(const OptionSet &options);
    QString withArchiveWarning(const QString &log) const;
    void learnFromRun();
    void selectGamePosition(int position);

    // Play history, favourites and shortcuts (frmPrincipalPlays.cpp).
    void setUpPlayMarks();
    void loadPlayHistory();
    void recordRunStart();
    void recordRunEnd();
    void saveHistory();
    // The archive's text, then the game's history, on a line of its own.
    QString withPlayHistory(int position, const QString &archiveText) const;
    void markFavourite(QListWidgetItem *item, int position) const;
    void lstGames_ContextMenu(const QPoint &at);
    int actionPosition() const;
    void toggleFavourite();
    void createShortcut();

    // Launch and run monitor: the run is GameRun's; the window locks,
    // unlocks and shows.
    void cmdPlay_Click();
    void Timer1_Timer();
    void runStarted(const QString &log);
    void runFailed(const QString &log);
    void runEnded(const QString &report);
    void lockForRun();
    void giveWindowBack();
    void stopRun();
    void endRunNow();
#ifndef QT_NO_SESSIONMANAGER
    void sessionEnding(QSessionManager &manager);
#endif

    // Localisation.
    void ListaLinguas();
    void CarregaLingua();
    void cboLang_Click();
    void cboLang_Change();
    void rebuildLanguageLists(const LanguageTextTable &texts);

    Desktop &m_desktop;
    const ProgramLocations m_locations;
    const PlatformConventions m_platform;
    OptionBinder m_options;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_closeAfterRun = false; // the user chose to stop the run and close
    bool m_hourglass = false;
    const OptionsFile m_optionsFile;
    GameRun m_run;
    std::unique_ptr<RunWindow> m_runWindow;
    // The ROM folder is looked at away from the window's thread, one look at
    // a time; the last answer marks the games whose archive it lacks.
    SerialWorker<QString, RomFolderLook> m_romLook;
    RomFolderLook m_romFolder;
    QFileSystemWatcher m_romFolderWatch;
    QTimer m_romLookDelay;
    // The selected game's picture is found and decoded away from it too; an
    // answer for an earlier selection is dropped.
    struct PictureRequest {
        QStringList folders;
        QString name;
        QSize box;
        quint64 selection = 0;
    };
    SerialWorker<PictureRequest, QImage> m_pictureLoad;
    quint64 m_selection = 0;
    // Each archive of the ROM folder is read through away from the window's
    // thread after each look at the folder; an unchanged one is not read
    // again, this start or the next (the knowledge is kept in a file).
    SerialWorker<ArchiveCheckRequest, ArchiveKnowledge> m_archiveCheck;
    ArchiveKnowledge m_archives;
    QString m_archiveReportWanted; // the ROM set whose report waits for a check
    // The archive of the last Play, as it was then, and what to warn of.
    struct PlayedArchive {
        QString romSet;
        QString folder;
        ArchiveIdentity identity;
    } m_played;
    QString m_playWarning;

    // Window-level values.
    QString LanguageName;
    int LanguageIndex = 0;
    LanguageTextTable LanguageTexts;
    RomSetSlots RomSetNames;
    QString LastGameValue;
    QString LaunchCommand;
    QString LogLine;
    // What start-up has to tell the user (no sound device, a file not read);
    // it follows the start-up lines instead of being replaced by them.
    QStringList m_startupNotices;

    // The play history and the run being timed for it.
    PlayHistory m_history;
    int m_runPosition = -1;
    QDateTime m_runStart;
    QAction *m_favouriteAction = nullptr;
    QAction *m_shortcutAction = nullptr;
    int m_menuPosition = -1; // the game the open context menu is about
};

} // namespace rivonel
