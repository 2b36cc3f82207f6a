// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pads/PadNavigator.h"
#include "EmulatorSetup.h"
#include "VirtualPad.h"
#include "window/BigScreenView.h"
#include "window/PadDriver.h"
#include "window/PictureBox.h"
#include "window/RunWindow.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

const QStringList buttonNames{u"A"_s,
                              u"B"_s,
                              u"X"_s,
                              u"Y"_s,
                              u"Back"_s,
                              u"Guide"_s,
                              u"Start"_s,
                              u"LeftStick"_s,
                              u"RightStick"_s,
                              u"LeftShoulder"_s,
                              u"RightShoulder"_s,
                              u"DpadUp"_s,
                              u"DpadDown"_s,
                              u"DpadLeft"_s,
                              u"DpadRight"_s};
const QStringList actionNames{u"Up"_s,          u"Down"_s,   u"Play"_s,           u"NextTab"_s,
                              u"PreviousTab"_s, u"ToList"_s, u"LeaveBigScreen"_s, u"Stop"_s};

// Plays a script on a navigator: "p0:A@10" presses A on pad 0 at 10 ms,
// "r…" releases, "s0:-20000@30" moves the stick, "t@400" lets time pass,
// "gone0" unplugs pad 0, "run" and "end" start and end a run, "combo1"
// chooses a stop combination. Says the actions, space-separated.
QString play(const QString &script)
{
    PadNavigator navigator({400, 120, 1000});
    QStringList said;
    const auto note = [&said](const std::vector<PadAction> &actions) {
        for (PadAction action : actions)
            said << actionNames[static_cast<int>(action)];
    };
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const qint64 at = step.section(u'@', 1).toLongLong();
        const QString what = step.section(u'@', 0, 0);
        const int pad = what.mid(1, 1).toInt();
        const QString control = what.section(u':', 1);
        if (what == u"run" || what == u"end")
            navigator.setRunning(what == u"run");
        else if (what.startsWith(u"combo"))
            navigator.setStopButtons(stopCombination(what.mid(5).toInt()));
        else if (what.startsWith(u"gone"))
            navigator.padGone(what.mid(4).toInt());
        else if (what == u"t")
            note(navigator.tick(at));
        else if (what.startsWith(u's'))
            note(navigator.stick(pad, control.toInt(), at));
        else if (what.startsWith(u'p'))
            note(navigator.press(pad, PadButton(buttonNames.indexOf(control)), at));
        else
            note(navigator.release(pad, PadButton(buttonNames.indexOf(control)), at));
    }
    return said.join(u' ');
}

QStringList shippedLanguages()
{
    return QDir(QStringLiteral(RIVONEL_LANGUAGE_DIR)).entryList({u"*.ini"_s}, QDir::Files);
}

// The window over the substitute emulator, with a pad plugged in.
struct PadFixture : WindowFixture {
    VirtualPad pad;
    QString zinc = programDirectory.filePath(u"zinc"_s);

    PadFixture() : WindowFixture(true)
    {
        const QString roms = programDirectory.filePath(u"roms"_s);
        prepareZincAndRoms(zinc, roms);
        QDir().mkpath(programFile(u"language"_s));
        for (const QString &language : shippedLanguages())
            QFile::copy(QStringLiteral(RIVONEL_LANGUAGE_DIR) + u'/' + language,
                        programFile(u"language/"_s + language));
        window->Form_Load();
        window->cboLang->setCurrentIndex(window->cboLang->findData(u"English"_s));
        window->txtZincDir->setText(zinc);
        window->txtRomDir->setText(roms);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        plugIn();
    }
    void plugIn()
    {
        pad.plug();
        QVERIFY(pad.plugged());
        window->pads().look();
        QVERIFY(window->pads().padsConnected() == 1);
    }
    // A press and its release, each seen by a look.
    void click(PadButton button)
    {
        press(button, true);
        press(button, false);
    }
    void press(PadButton button, bool down)
    {
        pad.set(static_cast<int>(button), down);
        window->pads().look();
    }
    // Looks for ms as the window's timer would.
    void hold(int ms) const
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QTest::qWait(20);
            window->pads().look();
        }
    }
    int selected() const { return window->lstGames->currentRow(); }
};

} // namespace

class TestPads : public QObject {
    Q_OBJECT
    std::unique_ptr<PadFixture> f;
    frmPrincipal &w() const { return *f->window; }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<PadFixture>();
        qputenv("ZINC_SIM_RUN_MS", "60000");
    }
    void cleanup()
    {
        QVERIFY(leftClean(f.get()));
        f.reset();
    }

    void buttonsAndTimeBecomeActions_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("actions");
        QTest::newRow("buttons") << u"p0:A@0 r0:A@10 p0:B@20 p0:LeftShoulder@30 "
                                    "p0:RightShoulder@40 p0:Start@50 p0:A@60 p0:X@70"_s
                                 << u"Play ToList PreviousTab NextTab Play Play"_s;
        QTest::newRow("a held direction repeats, then stops")
            << u"p0:DpadDown@0 t@399 t@400 t@519 t@520 r0:DpadDown@530 t@2000"_s
            << u"Down Down Down"_s;
        QTest::newRow("no burst after a stall") << u"p0:DpadUp@0 t@5000 t@5001"_s << u"Up Up"_s;
        QTest::newRow("the other direction still held")
            << u"p0:DpadUp@0 p0:DpadDown@10 r0:DpadDown@20 t@419 t@420"_s << u"Up Down Up Up"_s;
        QTest::newRow("the stick past half-way, back under a quarter")
            << u"s0:10000@0 s0:20000@10 s0:12000@20 s0:20000@30 s0:5000@40 s0:-20000@50"_s
            << u"Down Up"_s;
        QTest::newRow("Back held alone leaves, once")
            << u"p0:Back@0 t@999 t@1000 t@3000 r0:Back@3100 p0:Back@4000 p0:X@4500 t@6000"_s
            << u"LeaveBigScreen"_s;
        QTest::newRow("in a run only the combination, once a hold")
            << u"combo1 run p0:Start@0 p0:Back@100 p0:A@150 s0:30000@160 t@1099 t@1100 t@3000 "
               "r0:Back@3100 p0:Back@3200 t@4200"_s
            << u"Stop Stop"_s;
        QTest::newRow("no combination chosen")
            << u"combo0 run p0:Back@0 p0:Start@0 t@5000"_s << u""_s;
        QTest::newRow("a combination over two pads")
            << u"combo1 run p0:Back@0 p1:Start@0 t@5000"_s << u""_s;
        QTest::newRow("held when the run starts")
            << u"combo1 p0:Start@0 run p0:Back@100 t@2000 r0:Start@2100 p0:Start@2200 t@3200"_s
            << u"Play Stop"_s;
        QTest::newRow("held when the run ends")
            << u"combo1 run p0:Back@0 p0:Start@0 t@1000 end r0:Start@1100 t@3000 "
               "r0:Back@3100 p0:Back@3200 t@4200"_s
            << u"Stop LeaveBigScreen"_s;
        QTest::newRow("a stick held when the run ends")
            << u"run s0:30000@0 end t@2000 s0:30000@2100 s0:0@2200 s0:30000@2300"_s << u"Down"_s;
        QTest::newRow("a pad gone mid-press")
            << u"combo1 p0:DpadDown@0 gone0@100 t@1000 run p0:Back@1100 p0:Start@1100 "
               "gone0@1200 t@3000"_s
            << u"Down"_s;
    }
    void buttonsAndTimeBecomeActions()
    {
        QFETCH(QString, script);
        QTEST(play(script), "actions");
    }

    // The pad drives the window as the keys do, and only while it is active.
    void thePadDrivesTheWindow()
    {
        QVERIFY2(f->log().contains(u"Game pad connected: Rivonel test pad."_s),
                 qPrintable(f->log()));
        f->select(0);
        w().txtSearch->setFocus();
        f->click(PadButton::DpadDown);
        QCOMPARE(f->selected(), 1);
        QCOMPARE(QApplication::focusWidget(), w().lstGames);
        f->press(PadButton::DpadDown, true);
        f->hold(900);
        f->press(PadButton::DpadDown, false);
        QVERIFY2(f->selected() >= 4 && f->selected() <= 8,
                 qPrintable(QString::number(f->selected())));
        const int held = f->selected();
        f->hold(300);
        QCOMPARE(f->selected(), held);
        f->pad.stick(-30000);
        f->hold(100);
        f->pad.stick(0);
        f->hold(100);
        QCOMPARE(f->selected(), held - 1);

        const int tab = w().abas->currentIndex();
        f->click(PadButton::RightShoulder);
        QCOMPARE(w().abas->currentIndex(), (tab + 1) % 3);
        f->click(PadButton::LeftShoulder);
        f->click(PadButton::LeftShoulder);
        QCOMPARE(w().abas->currentIndex(), (tab + 2) % 3);
        w().txtRomDir->setFocus();
        f->click(PadButton::B);
        QCOMPARE(QApplication::focusWidget(), w().lstGames);

        // An open list takes the pad as it takes the keys: down, then A chooses.
        w().cboFilter->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        f->click(PadButton::DpadDown);
        f->click(PadButton::A);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(w().cboFilter->currentIndex(), 1);
        w().cboFilter->setCurrentIndex(0);

        // Another program's window has the focus: the pad is not Rivonel's.
        QSignalSpy played(w().cmdPlay, &QPushButton::clicked);
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        f->click(PadButton::A);
        f->click(PadButton::DpadUp);
        QCOMPARE(played.count(), 0);
        QVERIFY(w().pads().lookInterval() >= 500); // read now and then only
        other.close();
        w().activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(w().pads().lookInterval() <= 50, 500);
        QCOMPARE(f->selected(), held - 1);
    }

    // The combination stops a real run; what it held then starts nothing.
    void theCombinationStopsARunAndWhatItHeldStartsNothing()
    {
        f->select(0);
        f->press(PadButton::A, true);
        QTRY_VERIFY2(w().runWindow(), qPrintable(f->log()));
        f->press(PadButton::A, false);
        // Another combination than the one held stops nothing.
        w().cboPadStop->setCurrentIndex(2);
        f->press(PadButton::Back, true);
        f->press(PadButton::Start, true);
        f->hold(1300);
        QVERIFY(w().run().watching());
        f->press(PadButton::Start, false);
        w().cboPadStop->setCurrentIndex(1);
        f->press(PadButton::Start, true);
        f->hold(700);
        QVERIFY(w().run().watching());
        QTRY_VERIFY_WITH_TIMEOUT(!w().run().watching() && w().isEnabled(), runLimitMs);
        // Still held: neither Play nor a long Back.
        w().bigScreen()->enter();
        QTRY_COMPARE(QApplication::activeWindow(), w().bigScreen());
        f->press(PadButton::Start, false);
        f->hold(1300);
        QVERIFY(!w().run().watching());
        QVERIFY(w().bigScreen()->isVisible());
        f->press(PadButton::Back, false);
        f->click(PadButton::A);
        QTRY_VERIFY(w().runWindow());
        QVERIFY(w().runWindow()->parentWidget() == w().bigScreen());
        w().runWindow()->cmdStop->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w().run().watching() && w().isEnabled(), runLimitMs);
        QVERIFY(w().bigScreen()->cmdBigPlay->isEnabled());
        f->select(-1);
        QVERIFY(!w().bigScreen()->cmdBigPlay->isEnabled());
    }

    // The big-screen view: in and out by key, button and pad, following the
    // window's list, and remembered.
    void theBigScreenViewIsDrivenByPadAndKeys()
    {
        BigScreenView *big = w().bigScreen();
        f->select(2);
        QTest::keyClick(w().lstGames, Qt::Key_F11);
        QVERIFY(big->isVisible() && big->isFullScreen());
        QTRY_COMPARE(QApplication::activeWindow(), big);
        QTRY_COMPARE(QApplication::focusWidget(), big->lstBig);
        QCOMPARE(big->lstBig->currentRow(), 2);
        QVERIFY(big->lblBigTitle->text().contains(u"3 - "_s));
        // The same rows, with the archives' marks.
        QTRY_VERIFY(!w().lstGames->item(0)->icon().isNull());
        QCOMPARE(big->lstBig->item(0)->icon().cacheKey(), w().lstGames->item(0)->icon().cacheKey());
        f->click(PadButton::DpadDown);
        QCOMPARE(f->selected(), 3);
        QCOMPARE(big->lstBig->currentRow(), 3);
        QCOMPARE(QApplication::focusWidget(), big->lstBig);
        QVERIFY(big->lblBigTitle->text().contains(u"4 - "_s));
        QTest::keyClick(big->lstBig, Qt::Key_Up);
        QCOMPARE(f->selected(), 2);
        // The tabs are not there to switch.
        const int tab = w().abas->currentIndex();
        f->click(PadButton::RightShoulder);
        QCOMPARE(w().abas->currentIndex(), tab);
        big->cmdBigPlay->setFocus(); // left there; the view comes back on the list
        f->press(PadButton::Back, true);
        f->hold(600);
        QVERIFY(big->isVisible());
        f->hold(600);
        QVERIFY(!big->isVisible());
        f->press(PadButton::Back, false);
        QTRY_VERIFY(QApplication::activeWindow() == &w());

        w().cmdBigScreen->click();
        QVERIFY(big->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), big->lstBig);
        QTest::keyClick(big->lstBig, Qt::Key_Escape);
        QVERIFY(!big->isVisible());
        w().followCommandLine({u"rivonel"_s, u"--big-screen"_s});
        QVERIFY(big->isVisible());
        // Closed with the view in sight, the window comes back with it.
        QVERIFY(w().close());
        f->pad.unplug();
        frmPrincipal again(f->desktop, f->locations);
        again.Form_Load();
        again.show();
        QVERIFY(!again.bigScreen()->isVisible());
        again.followCommandLine({});
        QVERIFY(again.bigScreen()->isVisible());
        again.bigScreen()->leave();
        QVERIFY(again.close());
    }

    // A pad pulled out while a direction is held moves nothing more.
    void aPadGoneMidPressLetsGo()
    {
        f->select(0);
        f->press(PadButton::DpadDown, true);
        QCOMPARE(f->selected(), 1);
        f->pad.unplug();
        f->hold(1000);
        QCOMPARE(f->selected(), 1);
        QCOMPARE(w().pads().padsConnected(), 0);
        // Without a pad the window only looks for one now and then; with one,
        // no more often than a run's watch looks at the emulator.
        QVERIFY(w().pads().lookInterval() >= 500);
        QVERIFY2(f->log().contains(u"Game pad disconnected: Rivonel test pad."_s),
                 qPrintable(f->log()));
        f->plugIn();
        QVERIFY(w().pads().lookInterval() <= 50);
        f->click(PadButton::DpadDown);
        QCOMPARE(f->selected(), 2);
    }

    // Every text of the view is whole at a television's size and at 4K, in
    // every shipped language, and its type grows with the screen.
    void theBigScreenTextsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QSize>("screen");
        for (const QString &language : shippedLanguages())
            for (const QSize screen : {QSize(1280, 720), QSize(3840, 2160)})
                QTest::addRow("%s %dx%d", qPrintable(language), screen.width(), screen.height())
                    << language << screen;
    }
    void theBigScreenTextsFit()
    {
        QFETCH(QString, language);
        QFETCH(QSize, screen);
        // The static Qt's offscreen platform finds no font under wine: its
        // stand-in glyphs measure nothing a screen would show.
        if (QFontDatabase::families().isEmpty())
            QSKIP("no font to measure with");
        w().cboLang->setCurrentIndex(w().cboLang->findData(language.chopped(4)));
        QCOMPARE(w().cboLang->currentData().toString() + u".ini"_s, language);
        // The longest title, and a log line as long as a run's report.
        int longest = 0;
        for (int row = 0; row < w().lstGames->count(); ++row)
            if (w().lstGames->item(row)->text().size() > w().lstGames->item(longest)->text().size())
                longest = row;
        f->select(longest);
        BigScreenView *big = w().bigScreen();
        big->enter();
        big->showNormal();
        big->resize(screen);
        QTRY_COMPARE(big->size(), screen);
        QVERIFY(!big->lblBigHelp->text().isEmpty());
        QVERIFY(big->lstBig->font().pixelSize() >= screen.height() / 36);
        for (QLabel *label :
             {big->lblBigTitle, big->lblBigDetails, big->lblBigLog, big->lblBigHelp})
            QTRY_VERIFY2(label->heightForWidth(label->width()) <= label->height(),
                         qPrintable(label->text()));
        QVERIFY(big->cmdBigPlay->width() >= big->cmdBigPlay->sizeHint().width());
        const QFontMetrics metrics(big->lstBig->font());
        for (int row = 0; row < big->lstBig->count(); ++row)
            QVERIFY2(metrics.horizontalAdvance(big->lstBig->item(row)->text()) +
                             big->lstBig->iconSize().width() <
                         big->lstBig->viewport()->width(),
                     qPrintable(big->lstBig->item(row)->text()));
        big->leave();
    }
};

QTEST_MAIN(TestPads)
#include "test_pads.moc"
