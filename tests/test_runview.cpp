// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/PlayHistory.h"
#include "core/run/RunRecord.h"
#include "EmulatorSetup.h"
#include "window/FavouriteStar.h"
#include "window/RunWindow.h"
#include "window/ValueCheckBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

// The window over its runs: a Zinc directory with the substitute emulator
// and its plug-ins, a ROM directory with the sfex archive, and a language
// made of markers. Its runs go through the system's shell, or only pretend.
struct LaunchFixture : WindowFixture {
    QString zinc;

    explicit LaunchFixture(bool realLaunch = true)
        : WindowFixture(realLaunch), zinc(programDirectory.filePath(u"zinc"_s))
    {
        const QString roms = programDirectory.filePath(u"roms"_s);
        prepareZincAndRoms(zinc, roms);
        const LanguageTextTable markers = markerTexts();
        QByteArray file = "[Language]\n";
        for (int n = 1; n <= LanguageTextTable::count; ++n)
            file +=
                LanguageTextTable::keyName(n).toLatin1() + '=' + markers.text(n).toLatin1() + '\n';
        writeAll(programFile(u"language/Markers.ini"_s), file);
        window->Form_Load();
        window->txtZincDir->setText(zinc);
        window->txtRomDir->setText(roms);
        window->cboRend->setCurrentIndex(1);
        window->chkSound->setValue(1);
    }

    QString logFile() const { return programFile(u"log.txt"_s); }
    QString stamps() const { return programFile(u"stamps.txt"_s); }
    // The emulator runs on, deaf to a polite request, and leaves a helper
    // behind in a session of its own.
    void emulatorWithHelper() const
    {
        qputenv("ZINC_SIM_RUN_MS", "60000");
        qputenv("ZINC_SIM_IGNORE_TERM", "1");
        qputenv("ZINC_SIM_DETACH", "1");
        qputenv("ZINC_SIM_STAMP_FILE", stamps().toLocal8Bit());
    }
    // Once the emulator runs: the helper's and the emulator's process numbers.
    QList<qint64> runningProcesses() const
    {
#ifdef Q_OS_WIN
        // No helper there: the job holds the whole tree (test_win32 checks it ends whole).
        QTest::qWait(1000);
        return {0};
#endif
        return helperProcesses(stamps(), runLimitMs);
    }
    QString script() const
    {
        return programFile(desktop.platform.launchScriptName);
    }
    void play(int position) const
    {
        select(position);
        window->cmdPlay->click();
    }
    bool locked() const
    {
        return !window->isEnabled() && !window->cmdPlay->isEnabled() && window->run().watching() &&
               window->Timer1->isActive() && QApplication::overrideCursor() &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }
    bool idle() const
    {
        return window->isEnabled() && window->cmdPlay->isEnabled() && !window->run().watching() &&
               !window->Timer1->isActive() && !QApplication::overrideCursor() &&
               !window->runWindow();
    }
};

} // namespace

class TestRunView : public QObject {
    Q_OBJECT
    std::unique_ptr<LaunchFixture> f;

private Q_SLOTS:
    void init() { f = std::make_unique<LaunchFixture>(); }
    void cleanup()
    {
        QVERIFY(leftClean(f.get()));
        f.reset();
    }

    // Whatever the emulator leaves behind, however it detached, ends before
    // the window comes back: on a stop, which takes a deliberate act, and
    // after an end of its own, which the report then tells.
    void nothingOfARunOutlivesIt_data()
    {
        QTest::addColumn<QByteArray>("helper");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QString>("verdict");
        // Deaf to a polite request, with a helper in a session of its own.
        QTest::newRow("a deaf emulator's helper, stopped")
            << QByteArray("1") << true << u"\r\n<72>\r\n"_s;
        // No last line: only the end of the script tells.
        QTest::newRow("left deaf after an exit of its own")
            << QByteArray("1") << false << u"\r\n<84 7>\r\n<150>\r\n"_s;
        QTest::newRow("no mark, no session, stopped")
            << QByteArray("bare") << true << u"\r\n<72>\r\n"_s;
        QTest::newRow("no mark, after a normal end")
            << QByteArray("bare") << false << u"\r\n<49>\r\n<150>"_s;
        // Found only as the emulator's child, and asked politely before the force.
        QTest::newRow("the emulator's unmarked child, stopped")
            << QByteArray("child") << true << u"\r\n<72>\r\n"_s;
        // Born while a stop lists the run: a single forced end misses some.
        QTest::newRow("a storm of deaf children, stopped")
            << QByteArray("storm") << true << u"\r\n<72>\r\n"_s;
    }

    void nothingOfARunOutlivesIt()
    {
        QFETCH(QByteArray, helper);
        QFETCH(bool, stop);
        QFETCH(QString, verdict);
#ifdef Q_OS_WIN
        QSKIP("the substitute leaves no helper on Windows, where the job holds the whole tree");
#endif
        f->emulatorWithHelper();
        qputenv("ZINC_SIM_DETACH", helper);
        qputenv("ZINC_SIM_RUN_MS", stop ? "60000" : "200");
        // Deaf, it lives through the grace: what it starts is found through it.
        if (helper == "bare")
            qunsetenv("ZINC_SIM_IGNORE_TERM");
        if (verdict.contains(u"<84 7>"_s))
            qputenv("ZINC_SIM_EXIT_CODE", "7");
        f->play(0);
        QVERIFY(f->locked());
        const QString started = u"<41> Street Fighter EX (JP)...\r\n<45>\r\n<48> OpenGL\r\n"_s;
        QCOMPARE(f->log(), started);
        RunWindow *run = f->window->runWindow();
        QVERIFY(run && run->isVisible() && run->cmdStop->isEnabled());
        QCOMPARE(run->lblGame->text(), u"<68 Street Fighter EX (JP)>"_s);
        const QList<qint64> processes = f->runningProcesses();
        QVERIFY(!processes.isEmpty());
        bool leftBehind = true;
        // A stop ends the emulator too; one that ends by itself leaves only its helper.
        connect(run, &QObject::destroyed, this,
                [&] { leftBehind = isAnyLeft(stop ? processes : processes.first(1)); });
        if (stop) {
            // Enter, a held key's repeats: nothing stops the game.
            run->cmdStop->setFocus();
            QTest::keyClick(run->cmdStop, Qt::Key_Return);
            QTest::keyClick(run->cmdStop, Qt::Key_Enter);
            for (const int key : {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Return}) {
                QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(run->cmdStop, &repeat);
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(run->cmdStop, &release);
            }
            QTest::qWait(100);
            QVERIFY(run->cmdStop->isEnabled() && f->desktop.realLauncher.running());
            QTest::keyClick(run->cmdStop, Qt::Key_Escape);
            QVERIFY(!run->cmdStop->isEnabled());
            QTest::qWait(300); // the polite request has its grace before the force
            QVERIFY(f->window->run().watching());
        }
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QVERIFY(!leftBehind && !f->desktop.realLauncher.running());
        QVERIFY2((f->log() + u"\r\n"_s).contains(verdict), qPrintable(f->log()));
        QVERIFY(!QFile::exists(f->logFile()));
        if (helper == "child")
            QVERIFY(readAll(f->stamps()).contains("\nasked\n"));
        if (helper == "storm")
            QVERIFY(!isAnyLeft(helperProcesses(f->stamps(), runLimitMs)));
    }

    // A close while a game runs asks; no leaves it running, yes stops it and
    // closes once it has ended, leaving no run file behind. (The program's
    // end stops it without asking: test_instance, by a signal.)
    void closingDuringARunAsksAndNeverLeavesTheRunBehind()
    {
        f->emulatorWithHelper();
        f->window->show(); // a hidden window closes without a word
        f->play(0);
        const QList<qint64> processes = f->runningProcesses();
        QVERIFY(!f->window->close());
        QCOMPARE(f->desktop.calls, QStringList(u"ask|<86>|"_s + f->window->windowTitle()));
        QTest::qWait(100);
        QVERIFY(f->window->run().watching() && f->window->runWindow()->cmdStop->isEnabled());

        f->desktop.askAnswer = true;
        QVERIFY(writeAll(f->programFile(u"rivonel.ini"_s), "[Video]\n"));
        f->window->chkShowFPS->setValue(1);
        QVERIFY(!f->window->close());
        QVERIFY(!f->window->runWindow()->cmdStop->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!f->window->isVisible() && f->idle(), runLimitMs);
        QVERIFY(!isAnyLeft(processes));
        QVERIFY(!QFile::exists(f->script()));
        QVERIFY(!QFile::exists(f->logFile()));
        QVERIFY(readAll(f->programFile(u"rivonel.ini"_s)).contains("ShowFPS=1"));
    }

    // The emulator's missing file marks the archive (test_archives: until it
    // changes); Play warns of it and plays all the same.
    void aMissingFileIsLearnedUntilTheArchiveChanges()
    {
        // The archive's line, before the game's history.
        const auto tip = [this] {
            return f->window->lstGames->item(11)->toolTip().section(u'\n', 0, 0);
        };
        const QString incomplete = u"<130 kikaioh.zip kikaioh_gfx.bin>"_s;
        QTRY_COMPARE(tip(), u"<122 kikaioh.zip>"_s);
        f->play(11);
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QCOMPARE(tip(), incomplete);
        f->play(11);
        QVERIFY(f->locked());
        QVERIFY(f->log().startsWith(u"<134 "_s + incomplete + u">\r\n<41> Kikaioh"_s));
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
    }

    // Pretended runs count from their start, stopped ones too; a launch the
    // checks refuse or a script that never started does not, and leaves the
    // window free. The history and the favourites outlive the window.
    void theHistoryCountsStartedRunsAndKeepsFavourites()
    {
        f = std::make_unique<LaunchFixture>(false);
        FakeLauncher &launcher = f->desktop.fakeLauncher;
        f->play(0);
        // Counted on the disk already: a kill now loses the time, not the play.
        QCOMPARE(PlayHistory::read(f->files().history).at(0).times, 1);
        f->window->runWindow()->cmdStop->click();
        launcher.end();
        f->play(20);
        launcher.startAnswer = false;
        f->play(0);
        launcher.startAnswer = true;
        f->play(0);
        // The timer looks at the log; its line decides the verdict, but the
        // run is over only once the script has ended.
        f->window->Timer1->setInterval(10);
        QSignalSpy ticks(f->window->Timer1, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2);
        QVERIFY(writeAll(f->logFile(), "banner\nFinished execution...\n"));
        const int seen = int(ticks.count());
        QTRY_VERIFY(ticks.count() >= seen + 2);
        QVERIFY(f->locked());
        launcher.end();
        QVERIFY(f->idle() && f->log().endsWith(u"\r\n<49>"_s));
        const auto told = [this](int game) { return f->told(game); };
        const QString ready = u"<122 sfex.zip>\n"_s; // the archive's line comes first
        QTRY_VERIFY(told(1).startsWith(ready));
        QVERIFY2(told(0).startsWith(ready + u"<110 2 <112 0> "_s), qPrintable(told(0)));
        QTRY_VERIFY(told(20).startsWith(u"<79 "_s) && told(20).endsWith(u">\n<108>"_s));
        QCOMPARE(told(1), ready + u"<108>"_s);

        f->select(1);
        f->window->gameList().favouriteAction()->trigger();
        QVERIFY(f->window->lstGames->item(1)->data(favouriteRole).toBool());
        QCOMPARE(told(1), ready + u"<113>\n<108>"_s);
        frmPrincipal again(f->desktop, f->locations);
        again.Form_Load();
        QCOMPARE(again.gameList().playHistory().at(0).times, 2);
        QVERIFY(again.gameList().playHistory().at(1).favourite &&
                !again.gameList().playHistory().at(20).times);
        f->window->gameList().favouriteAction()->trigger();
        QVERIFY(!f->window->gameList().playHistory().at(1).favourite &&
                told(1) == ready + u"<108>"_s);
    }

    // What a command line asks of the open window (a second start's, or the
    // first start's own once its window is up).
    void aCommandLinePlaysInTheOpenWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("before"); // the game selected before
        QTest::newRow("set") << QStringList{u"/usr/bin/rivonel"_s, u"--play"_s, u"sfex"_s} << 0
                             << 5;
        QTest::newRow("number, no game selected") << QStringList{u"--play=2"_s} << 1 << -1;
    }
    void aCommandLinePlaysInTheOpenWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, position);
        QFETCH(int, before);
        f = std::make_unique<LaunchFixture>(false);
        f->select(before);
        f->window->followCommandLine(arguments);
        QVERIFY(f->locked() && f->window->currentOptions().game.position == position);
        const auto ask = [this](const QString &game) {
            f->window->followCommandLine({u"--play"_s, game});
            return f->log().section(u"\r\n"_s, -1);
        };
        QCOMPARE(ask(u"3"_s), u"<118 Street Fighter EX Plus (USA)>"_s);
        f->window->runWindow()->cmdStop->click();
        f->desktop.fakeLauncher.end();
        QCOMPARE(ask(u"pong"_s), u"<120 pong>"_s);
        f->window->setEnabled(false); // as under a dialog
        QCOMPARE(ask(u"3"_s), u"<119 Street Fighter EX Plus (USA)>"_s);
        f->window->setEnabled(true);
        QVERIFY(f->idle() && f->desktop.fakeLauncher.starts.size() == 1);
    }

    // A game's own renderer is the one checked, and its own values are in the files the
    // emulator reads through the real shell, whether Play or --play starts it.
    void aGamePlaysWithItsOwnOptions()
    {
        const PlatformConventions &platform = f->desktop.platform;
        // The plug-in of all games' renderer (OpenGL) is not there; Software's is.
        QVERIFY(QFile::remove(platform.join(f->zinc, rendererPlugin(1).file.toString())));
        f->select(0);
        f->window->cboScope->setCurrentIndex(1);
        QTest::keyClick(f->window->cboRend, Qt::Key_Down);
        f->window->chkFullScreen->click();
        f->window->cboScope->setCurrentIndex(0);
        f->play(1);
        QVERIFY2(f->log().startsWith(u"<42> "_s + rendererPlugin(1).file.toString()),
                 qPrintable(f->log()));
        f->window->followCommandLine({u"--play"_s, u"1"_s});
        QVERIFY(f->locked());
        QVERIFY2(f->log().startsWith(u"<163 <4> Software, <38> <165>>\r\n<41> "_s),
                 qPrintable(f->log()));
        QVERIFY(readAll(platform.join(f->zinc, u"renderer.cfg"_s)).contains("FullScreen = 1"));
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QVERIFY(f->log().contains(u"<49>"_s));
    }

    // A run an earlier copy left going opens the window locked on it, and
    // gives it back once that run has ended.
    void aRunLeftByAnEarlierCopyLocksTheWindowUntilItEnds()
    {
        f = std::make_unique<LaunchFixture>(false);
        const QString record = f->programFile(u"run-record"_s);
        QVERIFY(writeAll(
            record,
            RunRecord{"earlier", 1, QDateTime::currentDateTimeUtc(), {}, u"sfex"_s}.toBytes()));
        f->desktop.fakeLauncher.adoptAnswer = true;
        frmPrincipal again(f->desktop, f->locations);
        again.keepRunRecordIn(record);
        again.Form_Load();
        QVERIFY(!again.isEnabled() && again.runWindow() && again.run().watching());
        QVERIFY(again.txtlog->toPlainText().endsWith(u"\n<155 Street Fighter EX (ASIA)>"_s));
        f->desktop.fakeLauncher.end();
        QTRY_VERIFY(again.isEnabled() && !again.runWindow());
        QVERIFY(!QFile::exists(record));
    }

    // After long last lines, the line that says how the run ended is in view
    // and announced. A flood of lines after it keeps the box within its bound
    // and the verdict in it; a switch of language words again what is kept,
    // and no more.
    void theVerdictStaysInViewAnnouncedAndKept()
    {
        f = std::make_unique<LaunchFixture>(false);
        f->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
        f->play(0);
        // Said during the run, without a line end of its own.
        f->window->followCommandLine({u"--play"_s, u"pong"_s});
        QVERIFY(writeAll(f->logFile(), (QByteArray(190, 'x') + '\n').repeated(7)));
        f->desktop.fakeLauncher.end();
        QTRY_VERIFY(f->idle());
        const QString verdict = u"<54 %1>"_s.arg(QString(190, u'x'));
        QVERIFY2(f->log().contains(u"<120 pong>\r\n"_s + verdict), qPrintable(f->log()));
        LogBox *box = f->window->txtlog;
        QTextCursor start = box->document()->find(verdict);
        start.setPosition(start.selectionStart());
        QVERIFY(box->viewport()->rect().contains(box->cursorRect(start).center()));
        QCOMPARE(box->accessibleDescription(), verdict);

        for (int i = 0; i < 3 * LogBox::maxLines; ++i)
            f->window->followCommandLine({u"--play"_s, u"pong%1"_s.arg(i)});
        const auto kept = [&](const QString &verdict, const QString &newest) {
            return box->document()->blockCount() == LogBox::maxLines &&
                   f->log().count(verdict) == 1 && f->log().endsWith(newest) &&
                   box->toPlainText() == QString(f->log()).replace(u"\r\n"_s, u"\n"_s);
        };
        QVERIFY(kept(u"<54 x"_s, u"\r\n<120 pong2999>"_s));
        QByteArray words = readAll(f->programFile(u"language/Markers.ini"_s));
        QVERIFY(writeAll(f->programFile(u"language/Words.ini"_s),
                         words.replace('<', '[').replace('>', ']')));
        f->window->cboLang->addItem(u"Words"_s, u"Words"_s);
        f->window->cboLang->setCurrentIndex(f->window->cboLang->count() - 1);
        QVERIFY(kept(u"[54 x"_s, u"\r\n[120 pong2999]"_s));
        // One text longer than the box keeps its last lines.
        f->window->txtlog->setText(u"x\r\n"_s.repeated(2 * LogBox::maxLines) + u"<49>"_s);
        QVERIFY(kept(u"<49>"_s, u"x\r\n<49>"_s));
    }
};

QTEST_MAIN(TestRunView)
#include "test_runview.moc"
