#include "core/emulator/EmulatorInterface.h"
#include "core/system/WholeFile.h"
#include "RomContents.h"
#include "StoredZip.h"
#include "window/LogBox.h"
#include "window/RunWindow.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

constexpr int runLimitMs = 20000;
const QString crlf = u"\r\n"_s;

// A window whose Zinc directory holds the substitute emulator and all four
// plug-ins, and whose ROM directory holds a complete sfex archive and a
// kikaioh archive that lacks a file. Its language is made of markers, "<n>"
// for text n, so every message shows where each of its words comes from.
struct LaunchFixture : WindowFixture {
    QString zinc;
    QString roms;

    explicit LaunchFixture(const QString &program = {}, const QString &zincName = u"zinc"_s,
                           const QString &romsName = u"roms"_s)
        : WindowFixture(program), zinc(programDirectory.filePath(zincName)),
          roms(programDirectory.filePath(romsName))
    {
        desktop.realLaunch = true;
        QDir().mkpath(zinc);
        QFile::copy(QStringLiteral(ZINC_SIM_PATH),
                    desktop.platform.join(zinc, desktop.platform.emulatorFileName));
        for (int position = 0; position < 4; ++position)
            writeAll(desktop.platform.join(zinc, rendererPlugin(position).file.toString()));
        for (const auto &[romSet, leftOut] :
             {std::pair{u"sfex"_s, QString()}, {u"kikaioh"_s, u"kikaioh_gfx.bin"_s}}) {
            QList<zincsim::ZipEntry> entries;
            for (const QString &name : zincsim::requiredRomFiles(romSet))
                if (name != leftOut)
                    entries.append({name, "rom"});
            writeAll(roms + u'/' + romSet + u".zip"_s, zincsim::makeStoredZip(entries));
        }
        QByteArray markers = "[Language]\n";
        for (int n = 1; n <= LanguageTextTable::count; ++n) {
            const QString english = LanguageTextTable().text(n);
            markers += LanguageTextTable::keyName(n).toLatin1() + "=<" + QByteArray::number(n) +
                       (english.contains(u"%1") ? " %1" : "") +
                       (english.contains(u"%2") ? " %2" : "") + ">\n";
        }
        writeAll(programFile(u"language/Markers.ini"_s), markers);
        window->Form_Load();
        window->txtZincDir->setText(zinc);
        window->txtRomDir->setText(roms);
        window->cboRend->setCurrentIndex(1);
        window->chkSound->setValue(1);
        qputenv("ZINC_SIM_RUN_MS", "100");
        for (const char *variable :
             {"ZINC_SIM_SILENT", "ZINC_SIM_CRASH", "ZINC_SIM_IGNORE_TERM", "ZINC_SIM_OUTPUT_MB"})
            qunsetenv(variable);
    }

    QString logFile() const { return programFile(u"log.txt"_s); }
    QString script() const { return programFile(desktop.platform.launchScriptName); }
    void play(int position) const
    {
        select(position);
        window->cmdPlay->click();
    }
    // A launch that only pretends to run; the test writes the log and says
    // when the script ends.
    void playPretending(int position)
    {
        desktop.realLaunch = false;
        desktop.running = true;
        play(position);
    }
    void pretendEnd()
    {
        desktop.running = false;
        desktop.ended();
    }
    bool locked() const
    {
        return !window->isEnabled() && !window->cmdPlay->isEnabled() && window->runWatched() &&
               window->Timer1->isActive() && QApplication::overrideCursor() &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }
    bool idle() const
    {
        return window->isEnabled() && window->cmdPlay->isEnabled() && !window->runWatched() &&
               !window->Timer1->isActive() && !QApplication::overrideCursor();
    }
};

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT
    std::unique_ptr<LaunchFixture> f;

private Q_SLOTS:
    void init() { f = std::make_unique<LaunchFixture>(); }
    void cleanup()
    {
        QVERIFY(leftClean(f.get()));
        f.reset();
    }

    // --- Runs through the real shell and the substitute emulator
    void aRunLocksTheWindowThenReportsItsEnd_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("hostile"); // paths a shell would split or expand
        QTest::newRow("finished") << 1 << QByteArray() << u"<49>"_s << false;
        QTest::newRow("shell characters") << 0 << QByteArray() << u"<49>"_s << true;
        QTest::newRow("missing file")
            << 11 << QByteArray() << u"<50> 'kikaioh_gfx.bin' <51>kikaioh.zip"_s << false;
        QTest::newRow("silent") << 0 << QByteArray("ZINC_SIM_SILENT") << u"<53>"_s << false;
        QTest::newRow("crash") << 0 << QByteArray("ZINC_SIM_CRASH")
                               << u"<54 Renderer settings: 17>\r\n<73>"_s << false;
    }

    void aRunLocksTheWindowThenReportsItsEnd()
    {
        QFETCH(int, game);
        QFETCH(QByteArray, variable);
        QFETCH(QString, report);
        QFETCH(bool, hostile);
        if (hostile)
            f = std::make_unique<LaunchFixture>(u"a b/$(touch pwned)"_s,
                                                u"z `touch pwned` \"q\" \\ 100%"_s, u"r;$HOME"_s);
        if (!variable.isEmpty())
            qputenv(variable.constData(), "1");
        f->play(game);
        QVERIFY(f->locked());
        const QString started = u"<41> "_s + f->window->currentOptions().game.text +
                                u"...\r\n<45>\r\n<48> OpenGL\r\n"_s;
        QCOMPARE(f->log(), started);
        QCOMPARE(readAll(f->script()),
                 (f->window->launchCommand() + f->desktop.platform.lineEnd).toLocal8Bit());
        QVERIFY(f->window->launchCommand().contains(u' ' + QString::number(game + 1) + u' '));
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QCOMPARE(f->log().left(started.size() + report.size()), started + report);
        QVERIFY(!QFile::exists(f->logFile()));
        QVERIFY(QFile::exists(f->zinc + u"/zinc.cfg"_s));
        for (const QString &dir : {f->programPath, f->zinc, QDir::currentPath()})
            QVERIFY2(!QFile::exists(dir + u"/pwned"_s), qPrintable(dir));
    }

    void closingDuringARunLeavesTheEmulatorRunning()
    {
        qputenv("ZINC_SIM_RUN_MS", "1500");
        f->play(0);
        QVERIFY(f->window->close());
        // The script is kept for the shell, which may not have read it yet.
        QVERIFY(f->desktop.launcher.running() && QFile::exists(f->script()));
        QTRY_VERIFY_WITH_TIMEOUT(!f->desktop.launcher.running(), runLimitMs);
        QVERIFY(readAll(f->logFile()).contains("Finished execution..."));
        // The program ends here: the window's end takes the hourglass with it.
        f->window.reset();
        QVERIFY(!QApplication::overrideCursor());
    }

    // --- Launches that only pretend to run
    void otherLinesKeepTheMonitorWaitingWhileTheEmulatorRuns()
    {
        // A log left from an earlier run is not this run's.
        QVERIFY(writeAll(f->logFile(), "Finished execution...\n"));
        f->playPretending(0);
        f->window->Timer1->setInterval(10);
        QSignalSpy ticks(f->window->Timer1, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2);
        QVERIFY(writeAll(f->logFile(), "banner\nstill loading\n"));
        QTRY_VERIFY(ticks.count() >= 4);
        QVERIFY(f->locked() && QFile::exists(f->logFile()));
        f->pretendEnd();
        QVERIFY(f->idle());
        QVERIFY(f->log().endsWith(u"\r\n<54 still loading>\r\n<73>\r\nbanner\r\nstill loading"_s));
    }

    void aLogThatCannotBeUsedEndsTheRunOnceTheScriptHasEnded()
    {
        f->playPretending(11);
        QVERIFY(QDir().mkpath(f->logFile())); // not a file: the look waits
        f->window->Timer1->setInterval(10);
        QSignalSpy ticks(f->window->Timer1, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2);
        QVERIFY(f->locked());
        f->pretendEnd();
        QVERIFY(f->idle());
        QVERIFY(f->log().endsWith(u"\r\n<53>\r\n<74 %1>"_s.arg(f->logFile())));
    }

    void stopEndsAnEmulatorThatIgnoresThePoliteRequest()
    {
        qputenv("ZINC_SIM_RUN_MS", "60000");
        qputenv("ZINC_SIM_IGNORE_TERM", "1");
        f->play(0);
        RunWindow *run = f->window->runWindow();
        QVERIFY(f->locked() && run && run->isVisible() && run->cmdStop->isEnabled());
        QCOMPARE(run->lblGame->text(), u"<68 Street Fighter EX (JP)>"_s);
        QTest::keyClick(run, Qt::Key_Escape);
        QVERIFY(!run->cmdStop->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QVERIFY(!f->window->runWindow());
        QVERIFY(!f->desktop.launcher.running()); // nothing of the run is left
        QVERIFY(f->log().endsWith(u"\r\n<72>"_s));
    }

    void aMissingFileOrAnythingInTheWayLeavesTheWindowFree()
    {
        f->desktop.realLaunch = false;
        QVERIFY(QDir().mkpath(f->script()));              // its place is taken by a directory
        QVERIFY(QDir().mkpath(f->zinc + u"/zinc.cfg"_s)); // and so is zinc.cfg's
        f->play(0);
        QVERIFY(f->idle());
        QVERIFY(f->log().contains(u"\r\n<77 %1/zinc.cfg>"_s.arg(f->zinc)));
        QCOMPARE(f->log().section(crlf, -1), u"<55 %1>"_s.arg(f->script()));
        QVERIFY(QDir().rmdir(f->script()) && QDir().rmdir(f->zinc + u"/zinc.cfg"_s));
        f->desktop.startAnswer = false;
        f->play(0);
        QVERIFY(f->idle());
        QCOMPARE(f->log().section(crlf, -1),
                 u"<56 %1 %2>"_s.arg(f->script(), f->desktop.platform.launchShell));
        // A log that cannot be removed before the launch stops it.
        QVERIFY(writeAll(f->logFile() + u"/held"_s));
        f->play(0);
        QCOMPARE(f->log().section(crlf, -1), u"<57 %1>"_s.arg(f->logFile()));

        // A missing plug-in, archive or emulator: nothing starts.
        f->desktop.calls.clear();
        f->window->cboRend->setCurrentIndex(3);
        QVERIFY(QFile::remove(f->zinc + u"/glide_renderer.znc"_s));
        f->play(0);
        QCOMPARE(f->log(), u"<42> glide_renderer.znc <47>"_s);
        f->play(20);
        QCOMPARE(f->log(), u"<42> tekken.zip <43>"_s);
        QVERIFY(QFile::remove(f->zinc + u'/' + f->desktop.platform.emulatorFileName));
        f->play(0);
        QCOMPARE(f->log(), u"<44>"_s);
        f->play(-1);
        QVERIFY(f->idle() && f->desktop.calls.filter(u"startHidden"_s).isEmpty());
        QVERIFY(QFile::exists(f->zinc + u"/renderer.cfg"_s));
    }
};

QTEST_MAIN(TestLaunch)
#include "test_launch.moc"
