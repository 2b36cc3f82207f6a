#include "core/options/FolderGuidance.h"
#include "core/options/SavedOptions.h"
#include "core/system/ProgramInfo.h"
#include "core/system/ProgramLocations.h"
#include "platform/GameShortcut.h"
#include "StoredZip.h"
#include "window/AboutBox.h"
#include "window/ArchiveMark.h"
#include "window/ImageList.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) + qAbs(qGreen(a) - b.green()) + qAbs(qBlue(a) - b.blue()) < 60;
}

QRgb centre(const QImage &image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

bool drawnIn(QWidget *widget, const QColor &colour)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return std::count(pixels, pixels + image.width() * image.height(), colour.rgb()) > 0;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    frmPrincipal &w() const { return *f->window; }
    QString iniPath() const { return f->programFile(u"rivonel.ini"_s); }
    void loadWith(const QByteArray &ini)
    {
        QVERIFY(writeAll(iniPath(), ini));
        w().Form_Load();
    }
    QRgb shown() const { return centre(w().Picture1->pixmap().toImage()); }
    QColor logo() const { return QColor::fromRgb(centre(w().ImageList1->image(0))); }
    // The start-up lines, and what they say of folders the options do not set.
    QString startupLog() const
    {
        return (QStringList{w().windowTitle(), webAddress()} +
                folderGuidance(w().currentOptions(), f->desktop.platform, w().languageTexts()))
            .join(u"\r\n"_s);
    }

private Q_SLOTS:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup()
    {
        QVERIFY(leftClean(f.get()));
        f.reset();
    }

    // --- Start-up, options and shutdown
    void startupShowsTitleAddressAndTheLogo()
    {
        f->desktop.soundDevices = 0; // its notice is empty without a language: no line at all
        w().Form_Load();
        QCOMPARE(w().windowTitle(), u"Rivonel 0.0.3 for Zinc 0.9"_s);
        QCOMPARE(f->log(), startupLog());
        QVERIFY(w().lstGames->selectedItems().isEmpty() && near(shown(), logo()));
        // Without language files the language's lists get the design-time texts.
        QCOMPARE(w().cboScanLines->currentText() + w().cboTextureQuality->currentText(),
                 u"NenhumaPadrão"_s);
        // The close deletes the launch script, stops the timer and never
        // creates the options file.
        const QString script = f->programFile(f->desktop.platform.launchScriptName);
        QVERIFY(writeAll(script));
        w().Timer1->start();
        QVERIFY(w().close());
        QVERIFY(!QFile::exists(script) && !w().Timer1->isActive() && !QFile::exists(iniPath()));
    }

    void everyOptionHasAControlThatStartsAtItsDefault()
    {
        QCOMPARE(w().unboundOptions(), QStringList());
        // Texts and boxes start so when the window is built, the lists once
        // Form_Load has filled them.
        QCOMPARE(w().txtFrameRate->text() + w().txtSoundFilterCutoff->text() +
                     w().txtSurroundMultiplier->text() + w().txtRomDir->text(),
                 u"1002205040C:\\Games\\Zinc\\Roms"_s);
        QVERIFY(w().chkSound->value() == 2 && w().chkUseLowGeometry->value() == 2);
        w().Form_Load();
        QCOMPARE(w().cboResolution->currentText() + w().cboRend->currentText(),
                 u"640x480Direct3D"_s);
    }

    void everyControlIsSavedUnderItsKeyAndRestored()
    {
        loadWith(QByteArray());
        w().txtRomDir->setText(u"/r o m s"_s);
        w().txtZincDir->setText(u"/zinc"_s);
        w().txtFrameRate->setText(u"abc"_s);
        w().txtSoundFilterCutoff->setText(u"11025"_s);
        w().txtSurroundMultiplier->setText(u"3"_s);
        const std::pair<QComboBox *, int> lists[] = {
            {w().cboRend, 3},           {w().cboResolution, 4},       {w().cboColorDepth, 1},
            {w().cboScanLines, 2},      {w().cboTextureFiltering, 3}, {w().cboTextureQuality, 1},
            {w().cboTextureCaching, 2}, {w().cboTurnDisplay, 0},      {w().cboBlending, 1}};
        for (const auto &[list, position] : lists)
            list->setCurrentIndex(position);
        // In this order the rules leave each box as set (surround checks its multiplier).
        int value = 0;
        for (ValueCheckBox *box :
             {w().chkSound, w().chkSoundFilter, w().chkStereoExciter, w().chkSurroundLite,
              w().chkSurroundLiteMultiplier, w().chkFullScreen, w().chkShowFPS, w().chkFrameSkip,
              w().chkFrameSkipAuto, w().chkFrameLimit, w().chkDithering, w().chkEnableKeys,
              w().chkUseLowGeometry})
            box->setValue(value++ % 3 == 1 ? 0 : 1);
        f->select(9);
        const OptionSet before = w().currentOptions();
        QCOMPARE(before.game, (ListChoice{9, u"Strider Hiryu 2 (JP)"_s}));
        QVERIFY(w().close());

        QByteArray file = readAll(iniPath());
#ifdef Q_OS_WIN
        file.replace("\r\n", "\n"); // Windows' own line ends
#endif
        QCOMPARE(QByteArray(file).replace('\n', ' '),
                 "[General] RomPath=/r o m s ZincPath=/zinc LastGame=10 UseLowGeometry=1 "
                 "[Audio] SoundEnable=1 SoundFilter=0 SoundCutoff=11025 StereoExciter=1 "
                 "SurroundLite=1 SurroundLiteMultiplierEnabled=0 SurroundLiteMultiplier=3 "
                 "[Video] Renderer=3 ShowFPS=1 FrameSkip=0 FrameSkipAuto=1 FrameLimit=1 "
                 "Dithering=0 EnableKeys=1 FullScreen=1 Resolution=1024x768 ColorDepth=32 "
                 "Scanlines=Forte TextureFiltering=3 TextureQuality=4 bit TextureCaching=2 "
                 "FrameRate=abc TurnDisplay=0 Blending=1 ");
        init();
        loadWith(file);
        QCOMPARE(w().currentOptions(), before);
        QCOMPARE(f->log(), startupLog());
    }

    void aValueReadCutIsKeptWholeUnlessChanged()
    {
        const QString path = u"/games/"_s + QString(300, u'p');
        const QByteArray stored = "RomPath=" + path.toUtf8() + "\n";
        loadWith("[General]\n" + stored);
        QCOMPARE(w().txtRomDir->text(), path.left(IniDocument::maxValueLength));
        QVERIFY(w().close());
        QVERIFY(readAll(iniPath()).startsWith("[General]\n" + stored));

        init(); // a change is saved as the user left it
        loadWith("[General]\n" + stored);
        w().txtRomDir->setText(path.left(100));
        QVERIFY(w().close());
        QVERIFY(
            readAll(iniPath()).startsWith("[General]\nRomPath=" + path.left(100).toUtf8() + '\n'));
    }

    void whatCannotBeSavedIsKeptAndTheUserToldWhy()
    {
        // No language folder, so the texts are English and the language stays as saved.
        const QByteArray original = "[General]\nLanguage=Portugues\nZincPath=/z\n";
        const auto told = [this] { return f->desktop.calls.filter(u"showMessage"_s).join(u'/'); };
        loadWith(original);
        w().txtZincDir->setText(u"/a\nLastGame=9"_s);
        QVERIFY(w().close());
        QVERIFY(readAll(iniPath()).startsWith(original + "RomPath=\nLastGame=0\n"));
        QCOMPARE(told(), u"showMessage|These options were not saved because their values hold a "
                         "line break: ZincPath|%1|48"_s.arg(w().windowTitle()));

        init(); // a file the user made read-only is not replaced
        loadWith(original);
        QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadOther));
        QVERIFY(w().close());
        QCOMPARE(readAll(iniPath()), original);
        QVERIFY(told().contains(u"saved in %1: the file is read-only.|"_s.arg(iniPath())));
    }

    // Nor is one that is too large or no ordinary file, at the start or at the close.
    void optionsThatCannotBeReadAreNotReplaced_data()
    {
        specialFileRows();
        QTest::newRow("too large") << u"large"_s;
    }

    void optionsThatCannotBeReadAreNotReplaced()
    {
        QFETCH(QString, kind);
        const bool large = kind == u"large"_s;
        QFile big(iniPath());
        QVERIFY(large ? writeAll(iniPath()) && big.resize(IniDocument::maxFileSize + 1)
                      : QDir().mkpath(QFileInfo(iniPath()).path()) &&
                            putSpecialFile(kind, iniPath()));
        w().Form_Load();
        const QString why = large ? u"the file is larger than 2048 KiB."_s
                                  : u"it is a folder, a pipe or a device, not an ordinary file."_s;
        QCOMPARE(f->log(),
                 startupLog() + u"\r\nThe file %1 was not read: %2"_s.arg(iniPath(), why));
        QVERIFY(w().close());
        QCOMPARE(f->desktop.calls.filter(u"showMessage"_s),
                 QStringList{u"showMessage|Your options could not be saved in %1: %2|%3|48"_s.arg(
                     iniPath(), why, w().windowTitle())});
        QVERIFY(large ? QFileInfo(iniPath()).size() == IniDocument::maxFileSize + 1
                      : !QFileInfo(iniPath()).isFile());
    }

    void theLayoutNotTheRightToWriteMakesACopyInstalled_data()
    {
        // What is made below a root of its own (folders end with '/'), the
        // executable's folder first; a read-only one is made so at the end.
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("installed");
        QTest::newRow("build tree") << QStringList{u"b/"_s, u"b/language/"_s} << false << false;
        QTest::newRow("unpacked with its languages into a prefix")
            << QStringList{u"p/bin/"_s, u"p/bin/language/"_s, u"p/share/rivonel/"_s} << false
            << false;
        QTest::newRow("user-owned prefix")
            << QStringList{u".local/bin/"_s, u".local/share/rivonel/"_s} << false << true;
        QTest::newRow("/usr, for root too")
            << QStringList{u"usr/bin/"_s, u"usr/share/rivonel/"_s} << true << true;
        QTest::newRow("portable.txt in a prefix")
            << QStringList{u"x/bin/"_s, u"x/bin/portable.txt"_s, u"x/share/rivonel/"_s} << false
            << false;
        QTest::newRow("read-only portable folder")
            << QStringList{u"ro/"_s, u"ro/language/"_s} << true << false;
        QTest::newRow("lone executable") << QStringList{u"lone/"_s} << true << false;
    }

    void theLayoutNotTheRightToWriteMakesACopyInstalled()
    {
        QFETCH(QStringList, made);
        QFETCH(bool, readOnly);
        QFETCH(bool, installed);
        const QString root = f->programPath + u'/', bin = root + made.first().chopped(1);
        for (const QString &name : made)
            QVERIFY(name.endsWith(u'/') ? QDir().mkpath(root + name) : writeAll(root + name));
        if (readOnly)
            QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
        const UserFolders user{root + u"config"_s, root + u"state"_s, root + u"data"_s};
        const bool chosen = ProgramLocations::choose(bin, user, f->desktop.platform).installed;
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(chosen, installed);
    }

    void anInstalledCopyKeepsItsFilesInTheUsersFolders()
    {
        const PlatformConventions &platform = f->desktop.platform;
        const QString root = f->programPath, bin = root + u"/bin"_s;
        const UserFolders user{root + u"/config"_s, root + u"/state"_s, root + u"/data"_s};

        // The first start copies the shipped options and says where they live;
        // languages come from the user's folder or the shipped one.
        QVERIFY(writeAll(root + u"/share/rivonel/rivonel.ini"_s,
                         u"[General]\nLastGame=3\nZincPath=%1\nRomPath=%1\n"_s.arg(root).toUtf8()));
        QVERIFY(
            writeAll(root + u"/share/rivonel/language/Shipped.ini"_s, "[Language]\nString02=Go\n"));
        for (const QString &told : {u"\r\nYour options are kept in %1."_s.arg(
                                        platform.join(user.config, u"rivonel.ini"_s)),
                                    QString()}) {
            FakeDesktop desktop;
            frmPrincipal window(desktop, ProgramLocations::installedFor(bin, user, platform));
            window.Form_Load();
            QCOMPARE(window.txtlog->text(), window.windowTitle() + u"\r\n"_s + webAddress() + told);
            QCOMPARE(window.lstGames->currentRow(), 2);
            QCOMPARE(window.cmdPlay->text(), u"Go"_s);
        }
    }

    void unsetFoldersAreExplainedOnTheGeneralTab_data()
    {
        QTest::addColumn<QString>("zinc");
        QTest::addColumn<QString>("roms");
        QTest::addColumn<QStringList>("told");
        const QString there = u"."_s, gone = u"/nowhere/zinc"_s;
        const QString emulator = PlatformConventions::native().emulatorFileName;
        QTest::newRow("both empty")
            << QString() << QString() << QStringList{u"Z "_s + emulator, u"R"_s};
        QTest::newRow("a Zinc folder that is not there")
            << gone << there << QStringList{u"No /nowhere/zinc. Z "_s + emulator};
        QTest::newRow("both there") << there << there << QStringList();
    }

    void unsetFoldersAreExplainedOnTheGeneralTab()
    {
        QFETCH(QString, zinc);
        QFETCH(QString, roms);
        QFETCH(QStringList, told);
        QVERIFY(writeAll(f->programFile(u"language/L.ini"_s),
                         "[Language]\nString92=Z %1\nString93=R\nString94=No %1.\n"));
        loadWith(u"[General]\nZincPath=%1\nRomPath=%2\n"_s.arg(zinc, roms).toUtf8());
        const QString title = w().windowTitle() + u"\r\n"_s + webAddress();
        QCOMPARE(f->log(), (QStringList(title) + told).join(u"\r\n"_s));
        QCOMPARE(w().abas->currentIndex(), told.isEmpty() ? 0 : 2);
    }

    void theAboutBoxNamesThisCopysFilesInItsLanguage()
    {
        QVERIFY(writeAll(f->programFile(u"language/L.ini"_s),
                         "[Language]\nString96=About\nString99=P\nString100=I\n"
                         "String101=O %1\nString102=S %1\nString103=L %1\nString104=F %1\n"));
        w().Form_Load();
        w().show();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        QTest::keyClick(w().lstGames, Qt::Key_F1);
        auto *about = w().findChild<AboutBox *>();
        QVERIFY(about && about->isVisible() && about->windowTitle() == u"About"_s);
        const QString expected = u"%1\nO %2\nS %3\nL %4\nF \n    %5\n\n"_s.arg(
            f->locations.installed ? u"I"_s : u"P"_s, iniPath(),
            f->programFile(f->desktop.platform.launchScriptName), f->programFile(u"log.txt"_s),
            f->locations.languageFolders.join(u"\n    "_s));
        QVERIFY2(about->text().contains(expected), qPrintable(about->text()));
        about->close();
        QTRY_VERIFY(!w().findChild<AboutBox *>());
        w().cmdHelp->click();
        QVERIFY(w().findChild<AboutBox *>());
    }

    void withoutASoundDeviceSoundIsOffAndTheUserIsTold()
    {
        f->desktop.soundDevices = 0;
        QVERIFY(writeAll(f->programFile(u"language/L.ini"_s), "[Language]\nString39=No sound.\n"));
        loadWith("[Audio]\nSoundEnable=1\n");
        w().chkFrameSkipAuto->click(); // a rule keeps what it does not touch
        QVERIFY(w().chkSound->value() == 0 && !w().chkSound->isEnabled());
        QCOMPARE(f->log(), startupLog() + u"\r\nNo sound."_s);
        QVERIFY(w().close());
        QVERIFY(readAll(iniPath()).contains("SoundEnable=0\n"));
    }

    // --- Keys and clicks
    void enterPressesPlayAndTheLogBoxTakesNoTyping()
    {
        w().Form_Load();
        w().show();
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
        QSignalSpy played(w().cmdPlay, &QPushButton::clicked);
        QSignalSpy browsed(w().cmdProcuraZinc, &QPushButton::clicked);
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 w().txtFrameRate, w().lstGames, w().cboRend, w().txtlog, w().chkSound}) {
            QTest::keyClick(widget, Qt::Key_Return);
            QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
        }
        QCOMPARE(played.count(), 10);
        QTest::keyClick(w().cmdProcuraZinc, Qt::Key_Return);
        QTest::keyClick(w().txtFrameRate, Qt::Key_Return, Qt::ControlModifier);
        w().cmdPlay->setEnabled(false);
        QTest::keyClick(w().txtFrameRate, Qt::Key_Return);
        QCOMPARE(browsed.count(), 1);
        QCOMPARE(played.count(), 10);

        // The log box takes no typing, pasting or cutting, but copies.
        LogBox *log = w().txtlog;
        QGuiApplication::clipboard()->setText(u"pasted"_s);
        QTest::keyClicks(log, u"abc"_s);
        for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete})
            QTest::keyClick(log, key);
        for (const auto key : {Qt::Key_V, Qt::Key_A, Qt::Key_X})
            QTest::keyClick(log, key, Qt::ControlModifier);
        QCOMPARE(log->text(), startupLog());
        QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString(startupLog()).replace(u'\r', u""_s));
    }

    void aClickChecksOrClearsABoxAndRunsItsRule()
    {
        w().Form_Load(); // without an options file every box stays grayed
        QList<int> sound;
        for (int i = 0; i < 3; ++i) {
            w().chkSound->click();
            sound << w().chkSound->value();
        }
        w().chkSound->setValue(7); // not a value: ignored
        QCOMPARE(sound << w().chkSound->value(), (QList<int>{1, 0, 1, 1}));
        w().chkSurroundLite->click();
        QVERIFY(w().txtSurroundMultiplier->isEnabled());
        w().chkFrameSkipAuto->click();
        QVERIFY(!w().txtFrameRate->isEnabled());
        w().chkSound->click();
        QCOMPARE(w().chkSurroundLite->value(), 0);
        QVERIFY(!w().chkSurroundLite->isEnabled() && !w().txtSurroundMultiplier->isEnabled());
    }

    // Tab visits every enabled control shown once, log box included; Ctrl+Tab/PgDn switch tabs.
    void tabVisitsEveryControlOnceInReadingOrder_data()
    {
        QTest::addColumn<int>("tab");
        for (int tab = 0; tab < 3; ++tab)
            QTest::addRow("tab %d", tab) << tab;
    }

    void tabVisitsEveryControlOnceInReadingOrder()
    {
        QFETCH(int, tab);
        w().Form_Load();
        w().show();
        QVERIFY(QTest::qWaitForWindowActive(f->window.get()));
        w().abas->setCurrentIndex(0); // the first start shows the General tab
        w().lstGames->setFocus();
        for (int step = 0; step < tab; ++step)
            QTest::keyClick(w().lstGames, step ? Qt::Key_PageDown : Qt::Key_Tab,
                            Qt::ControlModifier);
        QCOMPARE(w().abas->currentIndex(), tab);
        QWidgetList visited;
        do {
            visited << QApplication::focusWidget();
            QTest::keyClick(visited.last(), Qt::Key_Tab);
        } while (QApplication::focusWidget() != w().lstGames && visited.size() < 60);
        QWidgetList focusable;
        for (QWidget *control : w().findChildren<QWidget *>())
            if (control->isVisible() && control->isEnabled() &&
                (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy())
                focusable << control;
        QCOMPARE(visited.size(), focusable.size());
        QCOMPARE(QSet<QWidget *>(visited.begin(), visited.end()),
                 QSet<QWidget *>(focusable.begin(), focusable.end()));
        QCOMPARE(visited.first(4),
                 (QWidgetList{w().lstGames, w().Picture1, w().cmdPlay, w().abas->focusProxy()}));
        QCOMPARE(visited.last(4), (QWidgetList{w().cboLang, w().cmdHelp, w().lblSite, w().txtlog}));
    }

    void theWindowComesBackAsItWasLeft()
    {
        w().show();
        const QRect moved(w().screen()->availableGeometry().topLeft() + QPoint(3, 40),
                          w().minimumSizeHint() + QSize(6, 40));
        w().setGeometry(moved);
        QVERIFY(w().close());
        f->window = std::make_unique<frmPrincipal>(f->desktop, f->locations);
        QCOMPARE(w().geometry(), moved);
    }

    // --- Selection and pictures
    void selectionShowsTheGameAndItsSnapshot()
    {
        w().Form_Load();
        for (const auto &[romSet, colour] : {std::pair{"sfex", Qt::red}, {"sfexp", Qt::blue}}) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(colour);
            QDir().mkpath(f->programFile(u"snap"_s));
            QVERIFY(image.save(f->programFile(u"snap/%1.jpg"_s.arg(QLatin1String(romSet)))));
        }
        QVERIFY(writeAll(f->programFile(u"snap/sg2j.jpg"_s), "not a picture"));
        f->select(1); // shares sfex's picture, scaled to fill the box
        QCOMPARE(f->log(), u": 2 - Street Fighter EX (ASIA)"_s);
        QTRY_VERIFY(near(shown(), Qt::red));
        QCOMPARE(w().Picture1->pixmap().size(), QSize(320, 240));
        f->select(4); // none: the logo
        QVERIFY(near(shown(), logo()));
        f->select(2);
        QTRY_VERIFY(near(shown(), Qt::blue));
        // No picture in the file: the logo, quietly; sfex's picture comes
        // after its game has been left, and is dropped.
        f->select(1);
        f->select(6);
        QCOMPARE(f->log(), u": 7 - Star Gladiator 2 (JP)"_s);
        QTRY_VERIFY(!w().gameList().pictureLoading());
        QVERIFY(near(shown(), logo()));
        f->select(-1);
        QCOMPARE(f->log(), u": 0 - "_s);
        QVERIFY(near(shown(), logo()));
        QVERIFY(f->desktop.calls.filter(u"showMessage"_s).isEmpty());
    }

    void aLargePictureOrAFifoNeverStallsTheWindow()
    {
        w().Form_Load();
        QDir().mkpath(f->programFile(u"snap"_s));
        QImage big(6000, 6000, QImage::Format_RGB32);
        big.fill(Qt::green);
        QVERIFY(big.save(f->programFile(u"snap/sfex.jpg"_s), "JPG", 5));
#ifdef Q_OS_UNIX
        // Nothing writes to the FIFO: reading it would wait for ever, and the
        // big picture after it would never come.
        QVERIFY(putSpecialFile(u"fifo"_s, f->programFile(u"snap/sfexp.jpg"_s)));
        f->select(2);
        QVERIFY(near(shown(), logo()));
#endif
        f->select(1); // scaled while decoded, its shape kept
        QVERIFY(near(shown(), logo()));
        QTRY_VERIFY(near(shown(), Qt::green));
        QCOMPARE(w().Picture1->pixmap().size(), QSize(240, 240));
#ifdef Q_OS_UNIX
        f->select(2);
        QTRY_VERIFY(!w().gameList().pictureLoading());
        QVERIFY(near(shown(), logo()));
#endif
    }

    void gamesWhoseArchiveIsMissingAreDimmedAndSaySo()
    {
        w().Form_Load();
        const QString roms = f->programPath + u"/roms"_s;
        // An archive with no files: a zip all the same.
        const QByteArray emptyZip = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
        QVERIFY(writeAll(roms + u"/sfex.zip"_s, emptyZip));
        const auto missing = [](const QString &why) { return why.contains(u" is not in "_s); };
        // The archive's text, before the line of the game's history.
        const auto why = [this](int game) {
            const QString told =
                w().lstGames->item(game)->data(Qt::AccessibleDescriptionRole).toString();
            return told.left(qMax(0, told.lastIndexOf(u'\n')));
        };
        const auto dimmed = [this](int game) {
            return w().lstGames->item(game)->foreground() != QBrush();
        };
        w().txtRomDir->setText(roms); // no language: the texts are English
        QTRY_COMPARE(why(20), u"Its ROM archive tekken.zip is not in %1."_s.arg(roms));
        QVERIFY(dimmed(20) && !missing(why(1)) && !dimmed(1));
        QCOMPARE(w().lstGames->item(20)->toolTip(), why(20) + u"\nNever played"_s);
        QPalette palette = w().palette(); // a dark one, where the mark must stay readable
        palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        palette.setColor(QPalette::Text, Qt::white);
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x50, 0x50, 0x50));
        w().setPalette(palette);
        const QListWidgetItem *item = w().lstGames->item(20);
        QCoreApplication::processEvents(); // the list's palette changes after the window's
        QVERIFY(contrastRatio(item->foreground().color(), palette.base().color()) >= 4.5);
        QVERIFY(!item->icon().isNull());
        // Archives that come and go while the window is open.
        QVERIFY(writeAll(roms + u"/tekken.zip"_s, emptyZip) &&
                QFile::remove(roms + u"/sfex.zip"_s));
        QTRY_VERIFY(!missing(why(20)) && missing(why(0)));
        w().txtRomDir->setText(roms + u"/x"_s);
        QTRY_COMPARE(why(0), u"The ROM folder %1/x cannot be read, so its archive sfex.zip "
                             "cannot be found there."_s.arg(roms));
        w().txtRomDir->clear();
        QTRY_VERIFY(why(0).isEmpty() && !dimmed(0));
        QCOMPARE(w().lstGames->count(), 26);
    }

    // The second game of a set is started by its number.
    void aGameGetsADesktopShortcutThatPlaysIt()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        w().Form_Load();
        f->select(1);
        w().gameList().shortcutAction()->trigger();
        qunsetenv("XDG_DATA_HOME");
#ifdef Q_OS_WIN
        // A shell link in the Start menu's programs: its header, then its target.
        const QString path = gameShortcutPath(u"2"_s);
        const QByteArray link = readAll(path);
        const QString arguments = u"--play 2"_s;
        QVERIFY(link.startsWith(QByteArray("L\0\0\0", 4)) &&
                link.contains(QByteArray(reinterpret_cast<const char *>(arguments.utf16()),
                                         arguments.size() * 2)));
#else
        const QString path =
            data.filePath(u"applications/example.rivonel.Rivonel.play_2.desktop"_s);
        QVERIFY(readAll(path).endsWith(
            " --play "
            "2\nIcon=example.rivonel.Rivonel\nTerminal=false\nCategories=Game;ArcadeGame;\n"));
#endif
        QVERIFY(f->log().endsWith(u"Street Fighter EX (ASIA) was written to %1."_s.arg(path)));
    }

    // Each archive's state shows in the list, the menu's report lists its
    // files, and the next start knows them before it reads any.
    void archivesAreCheckedReportedAndRemembered()
    {
        w().Form_Load();
        const QString roms = f->programPath + u"/roms"_s;
        const QByteArray zip = zincsim::makeStoredZip({{u"sfex.bin"_s, "rom"}});
        QVERIFY(writeAll(roms + u"/sfex.zip"_s, zip) &&
                writeAll(roms + u"/tgmj.zip"_s, zip.left(20)));
        const auto item = [this](int game) { return w().lstGames->item(game); };
        const LanguageTextTable english;
        const QString ready = english.text(textKey::archiveReady).arg(u"sfex.zip"_s);
        w().txtRomDir->setText(roms);
        QTRY_COMPARE(item(0)->toolTip(), ready + u"\nNever played"_s);
        QCOMPARE(item(13)->data(Qt::AccessibleDescriptionRole).toString(),
                 english.text(textKey::archiveDamaged)
                         .arg(u"tgmj.zip"_s, english.text(textKey::faultTruncated)) +
                     u"\nNever played"_s);
        QVERIFY(!item(0)->icon().isNull() && !item(13)->icon().isNull() &&
                item(13)->foreground() != item(0)->foreground());

        f->select(1);
        w().mnuCheckArchive->trigger();
        QTRY_VERIFY(f->log().endsWith(english.text(textKey::archiveFilesIn)
                                          .arg(f->desktop.platform.join(roms, u"sfex.zip"_s)) +
                                      u"\r\nsfex.bin: 3 bytes, CRC-32 79520FA1\r\n"_s + ready));

        f->window = std::make_unique<frmPrincipal>(f->desktop, f->locations);
        w().Form_Load();
        QCOMPARE(w().gameList().romFolder().knowledge().state(u"tgmj"_s), ArchiveState::Damaged);
    }

    // --- Pickers and the link
    void pickersTakeTheChosenFolderAndTheLinkSaysWhatWentWrong()
    {
        w().Form_Load();
        w().txtZincDir->setText(u"typed"_s);
        w().cmdProcuraZinc->click(); // cancelled
        QCOMPARE(w().txtZincDir->text(), u"typed"_s);
        QVERIFY(writeAll(
            f->desktop.platform.join(f->programPath, f->desktop.platform.emulatorFileName)));
        f->desktop.folderAnswer = f->programPath;
        w().cmdProcuraZinc->click();
        QCOMPARE(w().txtZincDir->text(), f->programPath);
        // Without the emulator: a warning, and the folder is taken all the same.
        f->desktop.folderAnswer = QDir::rootPath();
        w().cmdProcuraZinc->click();
        w().cmdProcuraRoms->click();
        QCOMPARE(w().txtZincDir->text() + w().txtRomDir->text(), QDir::rootPath().repeated(2));
        // One warning, with the stop icon (the texts are empty without a language).
        QCOMPARE(f->desktop.calls.filter(u"showMessage"_s), QStringList{u"showMessage|||16"_s});

        // The link says what went wrong, in the words it always used.
        for (const auto answer : {Desktop::WebOpenResult::Opened, Desktop::WebOpenResult::NoBrowser,
                                  Desktop::WebOpenResult::NotOpened}) {
            f->desktop.webAnswer = answer;
            QTest::mouseClick(w().lblSite, Qt::LeftButton);
        }
        f->desktop.webAnswer = Desktop::WebOpenResult::Opened; // Enter and Space open it too
        for (const auto key : {Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(w().lblSite, key);
        QCOMPARE(f->desktop.calls.filter(u"openWebAddress|"_s + webAddress()).size(), 5);
        QCOMPARE(
            f->desktop.calls.filter(u"showMessage"_s).mid(1),
            (QStringList{u"showMessage|Could not find associated Browser|Browser Not Found|48"_s,
                         u"showMessage|Web Page not Opened|URL Failed|48"_s}));

        // The palette's link colour, dimmed with the window.
        QPalette palette = w().palette();
        palette.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
        w().setPalette(palette);
        QVERIFY(drawnIn(w().lblSite, palette.color(QPalette::Link)));
        w().setEnabled(false);
        QVERIFY(!drawnIn(w().lblSite, palette.color(QPalette::Link)));
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
