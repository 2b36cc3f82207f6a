#pragma once

#include "app/OptionSet.h"
#include "games/RomSetSlots.h"
#include "i18n/LanguageTextTable.h"
#include "platform/PlatformConventions.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QComboBox;
class QImage;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTimer;

namespace rivonel {

class Desktop;
enum class SettingKind : int;
class RegistryStore;
class modRegistry;
class ImageList;
class LogBox;
class ValueCheckBox;

// The program's one window. It owns every control and the window-level
// values; each subsystem defines its procedures in its own folder.
class frmPrincipal : public QWidget {
    Q_OBJECT
public:
    // programDirectory holds rivonel.ini, language/, snap/, the launch script
    // and the emulator's log.
    frmPrincipal(Desktop &desktop, const QString &programDirectory, QWidget *parent = nullptr);
    ~frmPrincipal() override;

    // Start-up and shutdown (app/Lifecycle.cpp).
    void Form_Load();
    void Form_Unload();

    const RomSetSlots &romSetNames() const { return RomSetNames; }
    const LanguageTextTable &languageTexts() const { return LanguageTexts; }
    const QString &launchCommand() const { return LaunchCommand; }

    // The option controls' values as they stand (emulator/OptionFileWriters.cpp).
    OptionSet currentOptions() const;

    // Write the emulator's option files into the Zinc directory from the
    // current options; false when the file could not be written.
    [[nodiscard]] bool GeraZincCFG();
    [[nodiscard]] bool GeraRendererCFG();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction (app/frmPrincipal.cpp, app/frmPrincipalLayout.cpp).
    void buildControls();
    void connectSignals();
    void pressDefaultButton();
    QString programFile(const QString &name) const;

    // Start-up helpers (app/Lifecycle.cpp).
    void fillOptionLists();

    // Pickers, web link and log box (app/ShellLinks.cpp).
    void cmdProcuraZinc_Click();
    void cmdProcuraRoms_Click();
    void lblSite_Click();
    bool txtlog_KeyPress(const QKeyEvent *event);

    // Option interlocks (app/Interlocks.cpp).
    void chkSound_Click();
    void chkSoundFilter_Click();
    void chkSurroundLite_Click();
    void chkFrameSkipAuto_Click();

    // Game catalogue (games/GameList.cpp, games/GamePreview.cpp).
    void AdicionaGames();
    void lstGames_Click();
    void lstGames_DblClick();
    void showPicture(const QImage &picture);
    // The selected game's list position, -1 when none is selected. Qt's
    // current row is not it: focus alone makes a row current.
    int selectedGamePosition() const;

    // Settings (settings/OptionsFile.cpp).
    QString settingsPath() const;
    QString readSetting(const QString &section, const QString &key) const;
    QString readStartupSetting(const QString &key) const;
    void applySetting(QObject *control, SettingKind kind, const QString &value);
    QString settingText(QObject *control, SettingKind kind) const;
    void selectGamePosition(int position);
    void CarregaPadrao();
    void GravaPadrao();

    // Launch and run monitor (emulator/LaunchPipeline.cpp, emulator/RunMonitor.cpp).
    void cmdPlay_Click();
    void Timer1_Timer();
    bool fileExists(const QString &path) const;
    void lockForRun();
    void giveWindowBack();
    void endRun(const QString &report);

    // Localisation (i18n/Languages.cpp).
    void ListaLinguas();
    void ProcuraArquivos(const QString &folder, const QString &pattern);
    void CarregaLingua();
    void cboLang_Click();
    void cboLang_Change();
    void rebuildLanguageLists(const LanguageTextTable &texts);

    Desktop &m_desktop;
    const QString m_programDirectory;
    const PlatformConventions m_platform;
    std::unique_ptr<RegistryStore> m_registry;
    std::unique_ptr<modRegistry> m_settings;
    bool m_unloaded = false;
    bool m_watchingRun = false; // a launched emulator's log is being watched
    bool m_launchEnded = false; // the launch script of the watched run has ended
    bool m_hourglass = false;
    QSet<QString> m_searchedFolders; // folders the language search has been through

    // Controls on the window.
    QListWidget *lstGames = nullptr;
    QLabel *Picture1 = nullptr;
    ImageList *ImageList1 = nullptr;
    QPushButton *cmdPlay = nullptr;
    QTabWidget *abas = nullptr;
    QLabel *lblLanguage = nullptr;
    QComboBox *cboLang = nullptr;
    QLabel *lblSite = nullptr;
    LogBox *txtlog = nullptr;
    QTimer *Timer1 = nullptr;

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

    // Window-level values.
    QString LanguageName;
    int LanguageIndex = 0;
    LanguageTextTable LanguageTexts;
    RomSetSlots RomSetNames;
    QString LastGameValue;
    QString LaunchCommand;
    QString LogLine;
    // Something the options load has to tell the user (no sound device);
    // start-up shows it after its own two lines instead of dropping it.
    QString m_startupNotice;
};

} // namespace rivonel
