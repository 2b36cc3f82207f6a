#include "app/OptionSet.h"
#include "emulator/EmulatorInterface.h"
#include "emulator/OptionFiles.h"
#include "RomContents.h"
#include "StoredZip.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace rivonel;

namespace {

const QString simulator = QStringLiteral(ZINC_SIM_PATH);

struct Run {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::NormalExit;
    QStringList lines;
};

// A Zinc directory and a ROM directory with the option files Rivonel writes.
struct Setup {
    QTemporaryDir dir;
    QString zinc = dir.filePath(QStringLiteral("zinc"));
    QString roms = dir.filePath(QStringLiteral("roms"));

    Setup()
    {
        QDir().mkpath(zinc);
        QDir().mkpath(roms);
        OptionSet options;
        options.romDirectory = roms;
        options.sound = 1;
        writeFileAnew(zinc + QStringLiteral("/zinc.cfg"),
                      textFileBytes(zincConfigLines(options, QStringLiteral("w")), u"\n"_qs));
        writeFileAnew(zinc + QStringLiteral("/renderer.cfg"),
                      textFileBytes(rendererConfigLines(options, QStringLiteral("w")), u"\n"_qs));
    }

    void archive(const QString &romSet, const QString &leaveOut = {}) const
    {
        QList<zincsim::ZipEntry> entries;
        for (const QString &name : zincsim::requiredRomFiles(romSet))
            if (name != leaveOut)
                entries.append({name, "rom"});
        writeFileAnew(roms + u'/' + romSet + QStringLiteral(".zip"),
                      zincsim::makeStoredZip(entries));
    }

    QStringList arguments(int game) const
    {
        // What the shell hands the emulator from Rivonel's command line.
        return {QString::number(game),
                QStringLiteral("--use-config-file=") + zinc + u"/zinc.cfg"_qs,
                QStringLiteral("--use-renderer-cfg-file=") + zinc + u"/renderer.cfg"_qs};
    }

    Run run(const QStringList &args, const QStringList &environment = {}) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZINC_SIM_RUN_MS"), QStringLiteral("20"));
        for (const QString &pair : environment)
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        process.setProcessEnvironment(env);
        process.start(simulator, args);
        process.waitForFinished(30000);
        Run result{process.exitCode(), process.exitStatus(), {}};
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.lines = out.split(u'\n', Qt::SkipEmptyParts);
        return result;
    }

    QString missingLine(const QString &romSet, const QString &file) const
    {
        return QStringLiteral("ERROR: missing rom file: ") + roms + u'/' + romSet +
               QStringLiteral(".zip [ ") + file + QStringLiteral(" ]");
    }
};

} // namespace

class TestZincSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- The archives
    void storedZipRoundTripsAndRejectsJunk()
    {
        const QByteArray zip = zincsim::makeStoredZip(
            {{QStringLiteral("a.bin"), "1"}, {QStringLiteral("b.bin"), QByteArray()}});
        QCOMPARE(zincsim::zipEntryNames(zip),
                 std::optional(QStringList{QStringLiteral("a.bin"), QStringLiteral("b.bin")}));
        QVERIFY(!zincsim::zipEntryNames("not a zip").has_value());
        QVERIFY(!zincsim::zipEntryNames(QByteArray()).has_value());
        QVERIFY(!zincsim::zipEntryNames(zip.mid(30)).has_value());
    }

    // --- Outcomes, through a real process
    void finishesNormally()
    {
        Setup s;
        s.archive(QStringLiteral("sfex"));
        const Run run = s.run(s.arguments(2));
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines.last(), finishedLine.toString());
        QVERIFY(run.lines.join(u'\n').contains(QStringLiteral("Street Fighter EX (ASIA)")));
    }

    void reportsEachMissingRomFile()
    {
        Setup s;
        s.archive(QStringLiteral("kikaioh"), QStringLiteral("kikaioh_gfx.bin"));
        Run run = s.run(s.arguments(12));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.last(),
                 s.missingLine(QStringLiteral("kikaioh"), QStringLiteral("kikaioh_gfx.bin")));
        QVERIFY(!run.lines.contains(finishedLine.toString()));

        run = s.run(s.arguments(12), {QStringLiteral("ZINC_SIM_MISSING=extra.bin")});
        QCOMPARE(run.lines.mid(run.lines.size() - 2),
                 (QStringList{
                     s.missingLine(QStringLiteral("kikaioh"), QStringLiteral("kikaioh_gfx.bin")),
                     s.missingLine(QStringLiteral("kikaioh"), QStringLiteral("extra.bin"))}));

        // No archive at all: every file is missing, the first one reported first.
        run = s.run(s.arguments(21));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.lines.contains(
            s.missingLine(QStringLiteral("tekken"), QStringLiteral("tekken_prg.bin"))));
    }

    void badInvocationsFailWithAnErrorLine_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("extra");
        QTest::newRow("game 0") << 0 << QString();
        QTest::newRow("game 27") << 27 << QString();
        QTest::newRow("unknown option") << 1 << QStringLiteral("--fast");
        QTest::newRow("unreadable config") << 1 << QStringLiteral("--use-config-file=/nonexistent");
    }

    void badInvocationsFailWithAnErrorLine()
    {
        QFETCH(int, game);
        QFETCH(QString, extra);
        Setup s;
        s.archive(QStringLiteral("sfex"));
        QStringList args = s.arguments(game);
        if (!extra.isEmpty())
            args << extra;
        const Run run = s.run(args);
        QVERIFY(run.exitCode > 1);
        QCOMPARE(run.lines.size(), 1);
        QVERIFY(run.lines.first().startsWith(QStringLiteral("ERROR: ")));
        QVERIFY(!run.lines.first().startsWith(missingRomLine.toString()));
    }

    void forcedBehaviours()
    {
        Setup s;
        s.archive(QStringLiteral("sfex"));
        Run run = s.run(s.arguments(1), {QStringLiteral("ZINC_SIM_SILENT=1")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.lines.isEmpty());

        run = s.run(s.arguments(1), {QStringLiteral("ZINC_SIM_CRASH=1")});
        QCOMPARE(run.status, QProcess::CrashExit);
        QVERIFY(!run.lines.isEmpty());
        for (const QString &line : run.lines) {
            QVERIFY(!line.startsWith(finishedLine.toString()));
            QVERIFY(!line.startsWith(missingRomLine.toString()));
        }
    }

    void outputToAFileArrivesWholeUnlessFlushedByLine()
    {
        Setup s;
        s.archive(QStringLiteral("sfex"));
        for (const bool byLine : {false, true}) {
            const QString log = s.dir.filePath(QStringLiteral("log%1.txt").arg(byLine));
            QProcess process;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("ZINC_SIM_RUN_MS"), QStringLiteral("1500"));
            if (byLine)
                env.insert(QStringLiteral("ZINC_SIM_LINE_FLUSH"), QStringLiteral("1"));
            process.setProcessEnvironment(env);
            process.setStandardOutputFile(log);
            process.start(simulator, s.arguments(1));
            QVERIFY(process.waitForStarted());
            if (byLine)
                QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(log).size() > 0, 10000);
            else
                QVERIFY(!process.waitForFinished(700) && QFileInfo(log).size() == 0);
            QVERIFY(process.state() == QProcess::Running);
            QVERIFY(process.waitForFinished(30000));
            QFile file(log);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().endsWith("Finished execution...\n"));
        }
    }

    // --- The demo the build lays out
    void demoHasTwoPluginsAndOneIncompleteArchive()
    {
        const QString demo = QStringLiteral(RIVONEL_DEMO_DIR);
        QVERIFY(QFileInfo(demo + QStringLiteral("/zinc/") +
                          PlatformConventions::native().emulatorFileName)
                    .isExecutable());
        for (int position = 0; position < 4; ++position)
            QCOMPARE(QFile::exists(demo + u"/zinc/"_qs + rendererPlugin(position).file.toString()),
                     position == 1 || position == 2);
        QFile incomplete(demo + QStringLiteral("/roms/kikaioh.zip"));
        QVERIFY(incomplete.open(QIODevice::ReadOnly));
        const auto names = zincsim::zipEntryNames(incomplete.readAll());
        QVERIFY(names && !names->contains(QStringLiteral("kikaioh_gfx.bin")));
        QVERIFY(QFile::exists(demo + QStringLiteral("/roms/sfex.zip")));
    }
};

QTEST_GUILESS_MAIN(TestZincSim)
#include "test_zinc_sim.moc"
