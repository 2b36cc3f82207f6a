#include "core/emulator/EmulatorConfigFiles.h"
#include "core/emulator/EmulatorInterface.h"
#include "RomContents.h"
#include "StoredZip.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
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
// plug-ins, and whose ROM directory holds a complete sfex and a kikaioh
// archive lacking a file.
struct LaunchFixture : WindowFixture {
    QString zinc;
    QString roms;

    explicit LaunchFixture(const QString &program = {}, const QString &zincName = u"zinc"_s,
                           const QString &romsName = u"roms"_s)
        : WindowFixture(program)
    {
        desktop.realLaunch = true;
        zinc = programDirectory.filePath(zincName);
        roms = programDirectory.filePath(romsName);
        QDir().mkpath(zinc);
        QDir().mkpath(roms);
        QFile::copy(QStringLiteral(ZINC_SIM_PATH),
                    desktop.platform.join(zinc, desktop.platform.emulatorFileName));
        for (int position = 0; position < 4; ++position)
            writeAll(desktop.platform.join(zinc, rendererPlugin(position).file.toString()));
        archive(u"sfex"_s);
        archive(u"kikaioh"_s, u"kikaioh_gfx.bin"_s);

        window->Form_Load();
        set({{"txtZincDir", zinc}, {"txtRomDir", roms}, {"cboRend", 1}, {"chkSound", 1}});
        qputenv("ZINC_SIM_RUN_MS", "100");
        qunsetenv("ZINC_SIM_SILENT");
        qunsetenv("ZINC_SIM_CRASH");
        qunsetenv("ZINC_SIM_LINE_FLUSH");
    }

    void archive(const QString &romSet, const QString &leaveOut = {}) const
    {
        QList<zincsim::ZipEntry> entries;
        for (const QString &name : zincsim::requiredRomFiles(romSet))
            if (name != leaveOut)
                entries.append({name, "rom"});
        QVERIFY(writeFileAnew(roms + u'/' + romSet + u".zip"_s, zincsim::makeStoredZip(entries)));
    }

    void select(int position) const { set("lstGames", position); }

    QString text(int number) const { return window->languageTexts().text(number); }
    QString log() const { return control<LogBox>("txtlog")->text(); }
    QString logFile() const { return programFile(u"log.txt"_s); }
    void play() const { control<QPushButton>("cmdPlay")->click(); }
    // Plays a game with a launch that only pretends to run; the test writes
    // the log and says when the script ends.
    void playPretending(int position)
    {
        desktop.realLaunch = false;
        desktop.running = true;
        select(position);
        play();
    }
    void pretendEnd()
    {
        desktop.running = false;
        desktop.ended();
    }
    bool locked() const
    {
        return !window->isEnabled() && !control<QPushButton>("cmdPlay")->isEnabled() &&
               control<QTimer>("Timer1")->isActive() && QApplication::overrideCursor() &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }
    bool idle() const
    {
        return window->isEnabled() && control<QPushButton>("cmdPlay")->isEnabled() &&
               !control<QTimer>("Timer1")->isActive() && !QApplication::overrideCursor();
    }
    bool started() const { return !desktop.calls.filter(u"startHidden"_s).isEmpty(); }
    QString startLines(const QString &title, const char *renderer) const
    {
        return text(41) + u' ' + title + u"..."_s + crlf + text(45) + crlf + text(48) +
               QString::fromLatin1(renderer) + crlf;
    }
};

} // namespace

class TestLaunch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Runs through the real shell and the substitute emulator
    void normalEndLocksThenGivesTheWindowBack()
    {
        LaunchFixture f;
        f.select(1);
        f.play();
        QVERIFY(f.locked());
        QCOMPARE(f.log(), f.startLines(u"Street Fighter EX (ASIA)"_s, " OpenGL"));
        const QString command = launchCommand(f.desktop.platform, f.zinc, 2, f.programPath);
        QCOMPARE(f.window->launchCommand(), command);
        QCOMPARE(readAll(f.programFile(f.desktop.platform.launchScriptName)),
                 textFileBytes({command}, f.desktop.platform.lineEnd));

        QTRY_VERIFY_WITH_TIMEOUT(f.idle(), runLimitMs);
        QCOMPARE(f.log(), f.startLines(u"Street Fighter EX (ASIA)"_s, " OpenGL") + f.text(49));
        QVERIFY(!QFile::exists(f.logFile()));
        QVERIFY(QFile::exists(f.zinc + u"/zinc.cfg"_s));
        QVERIFY(QFile::exists(f.zinc + u"/renderer.cfg"_s));
    }

    void missingFileInsideTheArchiveIsReported()
    {
        LaunchFixture f;
        f.select(11);
        f.play();
        QTRY_VERIFY_WITH_TIMEOUT(f.idle(), runLimitMs);
        QCOMPARE(f.log(), f.startLines(u"Kikaioh (JP)"_s, " OpenGL") + f.text(50) +
                              u" 'kikaioh_gfx.bin' "_s + f.text(51) + u"kikaioh.zip"_s);
        QVERIFY(!QFile::exists(f.logFile()));
    }

    void pathsWithBlanksAndShellCharactersRunNothingElse()
    {
        // Program, Zinc and ROM directories that a shell would split or expand.
        LaunchFixture f(u"a b/$(touch pwned)"_s, u"z `touch pwned` \"q\" \\ 100%"_s, u"r;$HOME"_s);
        f.select(0);
        f.play();
        QVERIFY(f.locked());
        QTRY_VERIFY_WITH_TIMEOUT(f.idle(), runLimitMs);
        QVERIFY(f.log().endsWith(f.text(49)));
        QVERIFY(!QFile::exists(f.logFile()));
        for (const QString &dir :
             {f.programDirectory.path(), f.programPath, f.zinc, QDir::currentPath()})
            QVERIFY2(!QFile::exists(dir + u"/pwned"_s), qPrintable(dir));
    }

    void emulatorThatEndsWithoutItsLinesGivesTheWindowBack()
    {
        const std::pair<const char *, QString> cases[] = {
            {"ZINC_SIM_SILENT", u"The emulator ended without writing any output."_s},
            {"ZINC_SIM_CRASH", u"The emulator ended without reporting how the game went; its last "
                               "line was: Renderer settings: 17"_s}};
        for (const auto &[variable, report] : cases) {
            LaunchFixture f;
            qputenv(variable, "1");
            f.select(0);
            f.play();
            QTRY_VERIFY_WITH_TIMEOUT(f.idle(), runLimitMs);
            QCOMPARE(f.log().section(crlf, -1), report);
            QVERIFY(!QFile::exists(f.logFile()));
        }
    }

    void closingDuringARunLeavesTheEmulatorRunning()
    {
        LaunchFixture f;
        qputenv("ZINC_SIM_RUN_MS", "1500");
        f.select(0);
        f.play();
        QVERIFY(f.locked());
        QVERIFY(f.window->close());
        QVERIFY(f.desktop.launcher.running());
        // Kept for the shell, which may not have read it yet.
        QVERIFY(QFile::exists(f.programFile(f.desktop.platform.launchScriptName)));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(f.logFile()).size() > 0, runLimitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!f.desktop.launcher.running(), runLimitMs);
        QVERIFY(readAll(f.logFile()).contains("Finished execution..."));
        QApplication::restoreOverrideCursor(); // the program would have ended here
    }

    // --- Checks that stop the launch
    void missingArchiveEmulatorOrPluginStopsTheLaunch_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("renderer");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("expected"); // with %42 %43 %44 %47 for the texts
        QTest::newRow("no archive") << 20 << 1 << QString() << u"%42 tekken.zip %43"_s;
        QTest::newRow("no emulator") << 0 << 1 << u"<emulator>"_s << u"%44"_s;
        const char *files[] = {"d3d_renderer.znc", "ogl_renderer.znc", "renderer.znc",
                               "glide_renderer.znc"};
        for (int position : {0, 1, 2, 3, -1}) {
            const QString file = QString::fromLatin1(files[position < 0 ? 3 : position]);
            QTest::addRow("plug-in %d", position)
                << 0 << position << file << u"%42 "_s + file + u" %47"_s;
        }
    }

    void missingArchiveEmulatorOrPluginStopsTheLaunch()
    {
        QFETCH(int, game);
        QFETCH(int, renderer);
        QFETCH(QString, removed);
        QFETCH(QString, expected);
        LaunchFixture f;
        if (!removed.isEmpty())
            QVERIFY(QFile::remove(f.desktop.platform.join(
                f.zinc,
                removed == u"<emulator>"_s ? f.desktop.platform.emulatorFileName : removed)));
        f.control<QComboBox>("cboRend")->setCurrentIndex(renderer);
        f.select(game);
        f.play();
        for (int key : {42, 43, 44, 47})
            expected.replace(u"%%1"_s.arg(key), f.text(key));
        QCOMPARE(f.log(), expected);
        QVERIFY(f.idle());
        QVERIFY(!f.started());
        QVERIFY(QFile::exists(f.zinc + u"/zinc.cfg"_s));
    }

    void noGameSelectedWritesTheFilesAndStartsNothing()
    {
        LaunchFixture f;
        const QString before = f.log();
        f.play();
        QCOMPARE(f.log(), before);
        QVERIFY(f.idle());
        QVERIFY(!f.started());
        QVERIFY(QFile::exists(f.zinc + u"/zinc.cfg"_s));
        QVERIFY(QFile::exists(f.zinc + u"/renderer.cfg"_s));
    }

    // --- Faults around the script and the log (fake launches)
    void scriptThatCannotBeWrittenOrStartedLeavesTheWindowFree()
    {
        LaunchFixture f;
        f.desktop.realLaunch = false;
        f.select(0);
        // The script's place is taken by a directory.
        QVERIFY(QDir().mkpath(f.programFile(f.desktop.platform.launchScriptName)));
        f.play();
        QVERIFY(f.idle());
        QVERIFY(!f.started());
        QVERIFY(
            f.log().section(crlf, -1).startsWith(u"Rivonel could not write the launch script"_s));
        QVERIFY(QDir().rmdir(f.programFile(f.desktop.platform.launchScriptName)));

        f.desktop.startAnswer = false;
        f.play();
        QVERIFY(f.idle());
        QVERIFY(
            f.log().section(crlf, -1).startsWith(u"Rivonel could not start the launch script"_s));
    }

    void otherLinesKeepTheMonitorWaitingWhileTheEmulatorRuns()
    {
        LaunchFixture f;
        f.playPretending(0);
        QVERIFY(writeAll(f.logFile(), "banner\nstill loading\n"));
        auto *timer = f.control<QTimer>("Timer1");
        timer->setInterval(10);
        QSignalSpy ticks(timer, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 3);
        QVERIFY(f.locked());
        QVERIFY(QFile::exists(f.logFile()));

        f.pretendEnd();
        QVERIFY(f.idle());
        QVERIFY(f.log().endsWith(u"its last line was: still loading"_s));
    }

    void logThatCannotBeReadIsRetriedAndReportedOnce()
    {
        LaunchFixture f;
        f.playPretending(11);
        // A log that cannot be opened as a file: the tick waits.
        QVERIFY(QDir().mkpath(f.logFile()));
        f.pretendEnd();
        QVERIFY(f.locked());
        QVERIFY(QDir().rmdir(f.logFile()));

        QVERIFY(writeAll(f.logFile(),
                         "ERROR: missing rom file: " + f.roms.toLocal8Bit() +
                             "/kikaioh.zip [ a.bin ]\r\nERROR: missing rom file: x [ b.bin ]\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(f.idle(), runLimitMs);
        const QString report = f.text(50) + u" 'a.bin' "_s + f.text(51) + u"kikaioh.zip"_s;
        QVERIFY(f.log().endsWith(report));
        QCOMPARE(f.log().count(report), 1);
    }
};

QTEST_MAIN(TestLaunch)
#include "test_launch.moc"
