// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/EmulatorInterface.h"
#include "core/options/OptionTable.h"
#include "core/options/SavedOptions.h"
#include "core/settings/IniDocument.h"
#include "core/system/ProgramInfo.h"
#include "core/system/ProgramLocations.h"
#include "window/AboutBox.h"
#include "window/BigScreenView.h"
#include "window/FavouriteStar.h"
#include "window/LinkLabel.h"
#include "window/PreviewWindow.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestForm : public WindowTest {
    Q_OBJECT
    QString startupLog() const { return w().windowTitle() + u"\r\n"_s + webAddress(); }
    // The check boxes' values, in the table's order.
    QList<int> boxes() const
    {
        QList<int> values;
        const OptionSet o = w().currentOptions();
        for (const OptionEntry &entry : optionTable())
            if (const auto box = std::get_if<int OptionSet::*>(&entry.field))
                values << o.**box;
        return values;
    }

private Q_SLOTS:
    // --- Start-up, options and shutdown
    void aNewUsersOptionsAreKeptAndStartOnOrOff()
    {
        f->desktop.soundDevices = 0; // its notice is empty without a language: no line at all
        w().Form_Load();
        QCOMPARE(f->log(), startupLog() + u"\r\nYour options will be kept in %1 when Rivonel "
                                          "closes."_s.arg(iniPath()));
        QVERIFY(w().lstGames->selectedItems().isEmpty() && near(shown(), logo()));
        // Without language files the language's lists get the design-time texts.
        QCOMPARE(w().cboScanLines->currentText() + w().cboTextureQuality->currentText() +
                     w().cboPadStop->itemText(0),
                 u"NenhumaPadrãoNunca"_s);
        QCOMPARE(w().bigScreen()->cmdBigPlay->text(), w().cmdPlay->text());
        // No box is left in the third state; the renderer is OpenGL.
        QVERIFY(!boxes().contains(check::grayed));
        // Their rules ran on the way: the fields of boxes that are off are off.
        QVERIFY(!w().txtSoundFilterCutoff->isEnabled() && !w().txtSurroundMultiplier->isEnabled());
        QCOMPARE(w().cboRend->currentIndex(), 1);
        QCOMPARE(w().txtFrameRate->text() + w().txtZincDir->text(), u"100"_s);
        // Play waits for a game, and says so.
        QVERIFY(!w().cmdPlay->isEnabled() && !w().cmdPlay->toolTip().isEmpty());
        f->select(3);
        QVERIFY(w().cmdPlay->isEnabled() && w().cmdPlay->toolTip().isEmpty());
        f->select(-1);
        QVERIFY(!w().cmdPlay->isEnabled());
        const OptionSet first = w().currentOptions();
        // The close deletes the launch script, stops the timer and makes the
        // options file: the same one an empty file would become.
        const QString script = f->programFile(f->desktop.platform.launchScriptName);
        QVERIFY(writeAll(script));
        w().Timer1->start();
        QVERIFY(w().close());
        QVERIFY(!QFile::exists(script) && !w().Timer1->isActive());
        const QByteArray made = readAll(iniPath());
        init();
        f->desktop.soundDevices = 0;
        loadWith(QByteArray());
        QVERIFY(w().close());
        QCOMPARE(made, readAll(iniPath()));

        // The next start finds every choice, and says nothing of the file.
        init();
        f->desktop.soundDevices = 0;
        loadWith(made);
        QCOMPARE(w().currentOptions(), first);
        QCOMPARE(f->log(), startupLog());
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
            {w().cboTextureCaching, 2}, {w().cboTurnDisplay, 0},      {w().cboBlending, 1},
            {w().cboPadStop, 3}};
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
                 "PadStop=3 [Audio] SoundEnable=1 SoundFilter=0 SoundCutoff=11025 StereoExciter=1 "
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
        specialFileRows(true);
        QTest::newRow("too large") << u"large"_s;
    }

    void optionsThatCannotBeReadAreNotReplaced()
    {
        QFETCH(QString, kind);
        const bool large = kind == u"large"_s;
        const bool unreadable = kind == u"unreadable"_s;
        QFile big(iniPath());
        QVERIFY(large ? writeAll(iniPath()) && big.resize(IniDocument::maxFileSize + 1)
                      : QDir().mkpath(QFileInfo(iniPath()).path()) &&
                            putSpecialFile(kind, iniPath()));
        w().Form_Load();
        const QString why = large ? u"the file is larger than 2048 KiB."_s
                            : unreadable
                                ? u"the file could not be read."_s
                                : u"it is a folder, a pipe or a device, not an ordinary file."_s;
        QCOMPARE(f->log(),
                 startupLog() + u"\r\nThe file %1 was not read: %2"_s.arg(iniPath(), why));
        QVERIFY(w().close());
        QCOMPARE(f->desktop.calls.filter(u"showMessage"_s),
                 QStringList{u"showMessage|Your options could not be saved in %1: %2|%3|48"_s.arg(
                     iniPath(), why, w().windowTitle())});
        QVERIFY(large        ? QFileInfo(iniPath()).size() == IniDocument::maxFileSize + 1
                : unreadable ? QFileInfo(iniPath()).symLinkTarget() == writeOnly
                             : !QFileInfo(iniPath()).isFile());
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

    void unsetFoldersAreNoticedAboveTheList_data()
    {
        QTest::addColumn<QString>("zinc");
        QTest::addColumn<QString>("roms");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("button");
        const QString there = u"."_s, gone = u"/nowhere/zinc"_s;
        const QString emulator = PlatformConventions::native().emulatorFileName;
        QTest::newRow("both empty")
            << QString() << QString() << QStringList{u"Z "_s + emulator, u"R"_s} << u"Zb"_s;
        QTest::newRow("a Zinc folder that is not there")
            << gone << there << QStringList{u"No /nowhere/zinc. Z "_s + emulator} << u"Zb"_s;
        QTest::newRow("a Zinc folder without Zinc")
            << u"/"_s << QString() << QStringList{u"E Z "_s + emulator, u"R"_s} << u"Zb"_s;
        QTest::newRow("only the ROM folder")
            << u"zinc"_s << gone << QStringList{u"No /nowhere/zinc. R"_s} << u"Rb"_s;
        QTest::newRow("both there") << u"zinc"_s << there << QStringList() << QString();
    }

    void unsetFoldersAreNoticedAboveTheList()
    {
        QFETCH(QString, zinc);
        QFETCH(QString, roms);
        QFETCH(QStringList, told);
        QFETCH(QString, button);
        QVERIFY(writeAll(f->programFile(u"language/L.ini"_s),
                         "[Language]\nString44=E\nString92=Z %1\nString93=R\nString94=No %1.\n"
                         "String138=Zb\nString139=Rb\n"));
        // "zinc" is a Zinc folder with the emulator.
        const QString zincFolder = zinc == u"zinc"_s ? f->programPath + u"/zinc"_s : zinc;
        QVERIFY(writeAll(f->programPath + u"/zinc/"_s + f->desktop.platform.emulatorFileName));
        loadWith(u"[General]\nZincPath=%1\nRomPath=%2\n"_s.arg(zincFolder, roms).toUtf8());
        QVERIFY(showActive());
        // In sight above the list, not in the log, on the tab to set them.
        QCOMPARE(f->log(), startupLog());
        QCOMPARE(w().fraNotice->isVisible(), !told.isEmpty());
        QCOMPARE(w().lblNotice->text(), told.value(0)); // one step at a time
        QCOMPARE(w().abas->currentIndex(), told.isEmpty() ? 0 : 2);
        if (told.isEmpty())
            return;
        // Its button opens the field to set, which is marked.
        QCOMPARE(w().cmdNotice->text(), button);
        w().abas->setCurrentIndex(0);
        w().cmdNotice->click();
        QLineEdit *field = button == u"Zb"_s ? w().txtZincDir : w().txtRomDir;
        QCOMPARE(w().abas->currentIndex(), 2);
        QVERIFY(field->hasFocus());
        QCOMPARE(field->accessibleDescription(), told.first());
        QCOMPARE(field->actions().size(), 1);
        // Once both can serve, notice and marks go; a Play before says what is missing.
        w().cmdPlay->setEnabled(true);
        f->select(0);
        w().cmdPlay->click();
        QCOMPARE(f->log(), told.join(u"\r\n"_s));
        w().txtZincDir->setText(f->programPath + u"/zinc"_s);
        w().txtRomDir->setText(u"."_s);
        QTRY_VERIFY(!w().fraNotice->isVisible());
        QVERIFY(field->actions().isEmpty() && field->accessibleDescription().isEmpty());
    }

    void theRendererStartsOnAPluginTheFolderHas_data()
    {
        QTest::addColumn<QList<int>>("plugins");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("renderer");
        QTest::newRow("none") << QList<int>{} << QByteArray() << 1;
        QTest::newRow("Direct3D and Software") << QList<int>{0, 2} << QByteArray() << 2;
        QTest::newRow("Direct3D") << QList<int>{0} << QByteArray() << 0;
        QTest::newRow("Glide") << QList<int>{3} << QByteArray() << 3;
        QTest::newRow("all") << QList<int>{0, 1, 2, 3} << QByteArray() << 1;
        QTest::newRow("stored") << QList<int>{2} << QByteArray("Renderer=0\n") << 0;
        QTest::newRow("stored, not a number") << QList<int>{2} << QByteArray("Renderer=x\n") << 2;
    }

    void theRendererStartsOnAPluginTheFolderHas()
    {
        QFETCH(QList<int>, plugins);
        QFETCH(QByteArray, stored);
        QFETCH(int, renderer);
        const QString zinc = f->programPath + u"/zinc"_s;
        QVERIFY(QDir().mkpath(zinc));
        for (const int plugin : plugins)
            QVERIFY(writeAll(zinc + u'/' + rendererPlugin(plugin).file.toString()));
        loadWith("[General]\nZincPath=" + zinc.toUtf8() + "\n[Video]\n" + stored);
        QCOMPARE(w().cboRend->currentIndex(), renderer);
        // Missing plug-ins are named in the list itself, heard as read.
        const auto missing = [this](int position) {
            return w().cboRend->itemText(position).endsWith(u" (plug-in missing)"_s);
        };
        for (int position = 0; position < 4; ++position)
            QCOMPARE(missing(position), !plugins.contains(position));
        // Another Zinc folder, with Glide only: the renderer follows it
        // unless it was saved.
        const QString glide = f->programPath + u"/glide"_s;
        QVERIFY(writeAll(glide + u'/' + rendererPlugin(3).file.toString()));
        w().txtZincDir->setText(glide);
        QTRY_VERIFY(missing(0) && missing(1) && missing(2) && !missing(3));
        QCOMPARE(w().cboRend->currentIndex(), stored.isEmpty() || renderer == 3 ? 3 : renderer);
    }

    // --- A game's own options

    // In a game's view a change is the game's own, marked and undone one by one; the view of
    // all games never sees it, and each file keeps its own at the close.
    void aGamesOwnValuesAreShownMarkedUndoneAndKept()
    {
        loadWith("[Video]\nRenderer=1\nFullScreen=0\n[Audio]\nSoundEnable=1\nSoundFilter=1\n");
        const QString kept = f->files().gameOptions;
        const auto marked = [](QWidget *control) {
            return control->font().underline() &&
                   control->accessibleDescription().contains(u"Street Fighter EX (ASIA)"_s);
        };
        QCOMPARE(w().cboScope->count(), 1); // no game, no game's view
        f->select(1);
        w().cboScope->setCurrentIndex(1);
        QCOMPARE(w().cboScope->currentText(), u"Street Fighter EX (ASIA)"_s);
        QVERIFY(!marked(w().chkFullScreen) && !w().cmdOwnReset->isEnabled());
        w().chkFullScreen->click();
        QTest::keyClick(w().cboRend, Qt::Key_Down); // Software
        w().chkSound->click();
        // The rules run as in the view of all games.
        QVERIFY(!w().chkSoundFilter->isEnabled() && w().chkSoundFilter->value() == 0);
        QVERIFY(marked(w().chkFullScreen) && marked(w().cboRend) && marked(w().chkSound));
        QVERIFY(w().lblRenderer->font().underline() && !marked(w().chkSoundFilter));
        QVERIFY(f->told(1).endsWith(
            u"Options of its own: SoundEnable off, Renderer Software, FullScreen on"_s));
        QVERIFY(!f->told(0).contains(u"its own"_s));
        // One value back: the filter of all games comes back with it.
        w().gameOptions().menuFor(optionIndex(&OptionSet::sound))->actions().first()->trigger();
        QVERIFY(w().chkSound->value() == 1 && !marked(w().chkSound));
        QVERIFY(w().chkSoundFilter->isEnabled() && w().chkSoundFilter->value() == 1);
        // Another game shows the options of all games, and back again its own.
        f->select(0);
        QVERIFY(w().chkFullScreen->value() == 0 && !marked(w().chkFullScreen));
        f->select(1);
        QVERIFY(w().chkFullScreen->value() == 1 && marked(w().chkFullScreen));
        w().cboScope->setCurrentIndex(0);
        QVERIFY(w().chkFullScreen->value() == 0 && w().cboRend->currentIndex() == 1 &&
                !w().chkFullScreen->font().underline());
        // What Play would write says so, and writes nothing.
        w().gameOptions().showPreview();
        const PreviewWindow *preview = w().gameOptions().previewWindow();
        QVERIFY(preview->isVisible() && preview->windowTitle() == u"What Play will write"_s &&
                preview->findChild<QPlainTextEdit *>()->isReadOnly());
        QVERIFY(w().gameOptions().previewText().contains(u"\u25b6 FullScreen = 1"_s));
        QVERIFY(!QFile::exists(f->programFile(u"zinc.cfg"_s)));

        w().Form_Unload();
        const QString lineEnd = f->desktop.platform.lineEnd;
        QCOMPARE(QString::fromUtf8(readAll(kept)),
                 u"[Game2]\nFullScreen=1\nRenderer=2\n"_s.replace(u"\n"_s, lineEnd));
        const QByteArray ini = readAll(iniPath());
        QVERIFY(ini.contains("FullScreen=0") && ini.contains("Renderer=1"));
    }

    // The whole game back at once; a file that cannot be read is said and never replaced.
    void aGameGoesBackWholeAndAnUnreadableFileIsLeftAlone()
    {
        QString kept = f->files().gameOptions;
        const QByteArray stored = "[Game1]\nShowFPS=1\nFrameRate=60\n[Game2]\nRenderer=9\n";
        QVERIFY(writeAll(kept, stored));
        loadWith("[Video]\nShowFPS=0\n");
        // A look at a game's view changes nothing in the file, not even what cannot serve.
        f->select(1);
        w().cboScope->setCurrentIndex(1);
        w().cboScope->setCurrentIndex(0);
        QCOMPARE(readAll(kept), stored);
        QVERIFY(w().lstGames->item(0)->data(ownValuesRole).toBool());
        f->select(0);
        w().cboScope->setCurrentIndex(1);
        QVERIFY(w().chkShowFPS->value() == 1 && w().txtFrameRate->text() == u"60"_s);
        w().cmdOwnReset->click();
        QVERIFY(w().chkShowFPS->value() == 0 && !w().cmdOwnReset->isEnabled());
        QVERIFY(!w().lstGames->item(0)->data(ownValuesRole).toBool());
        QCOMPARE(readAll(kept), "[Game2]\nRenderer=9\n");

        f = std::make_unique<WindowFixture>();
        kept = f->files().gameOptions;
        const QByteArray large(IniDocument::maxFileSize + 1, '\n');
        QVERIFY(writeAll(kept, "[Game1]\nShowFPS=1\n" + large));
        loadWith("[Video]\nShowFPS=0\n");
        QCOMPARE(f->log().count(kept), 1);
        f->select(0);
        w().cboScope->setCurrentIndex(1);
        QCOMPARE(w().chkShowFPS->value(), 0);
        w().chkShowFPS->click();
        w().Form_Unload();
        QCOMPARE(readAll(kept).size(), large.size() + 18);
        QCOMPARE(f->desktop.calls.filter(kept).size(), 1); // and the close says so
    }

    void theAboutBoxNamesThisCopysFilesInItsLanguage()
    {
        QVERIFY(writeAll(f->programFile(u"language/L.ini"_s),
                         "[Language]\nString96=About\nString99=P\nString100=I\n"
                         "String101=O %1\nString102=S %1\nString103=L %1\nString104=F %1\n"
                         "String179=K %1\n"));
        w().Form_Load();
        QVERIFY(showActive());
        QTest::keyClick(w().lstGames, Qt::Key_F1);
        auto *about = w().findChild<AboutBox *>();
        QVERIFY(about && about->isVisible() && about->windowTitle() == u"About"_s);
        const QString expected = u"%1\nO %2\nS %3\nL %4\nK %5\nF \n    %6\n\n"_s.arg(
            f->locations.installed ? u"I"_s : u"P"_s, iniPath(),
            f->programFile(f->desktop.platform.launchScriptName), f->programFile(u"log.txt"_s),
            f->programFile(u"last-run.log"_s), f->locations.languageFolders.join(u"\n    "_s));
        QVERIFY2(about->text().contains(expected), qPrintable(about->text()));
        about->close();
        QTRY_VERIFY(!w().findChild<AboutBox *>());
        w().cmdHelp->click();
        QVERIFY(w().findChild<AboutBox *>());
    }

    void aClickChecksOrClearsABoxAndRunsItsRule()
    {
        w().Form_Load();
        w().chkSound->setValue(check::grayed); // as a saved 2 may leave a box
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
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
