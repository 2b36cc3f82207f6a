#include "core/emulator/EmulatorConfigFiles.h"
#include "core/emulator/EmulatorInterface.h"
#include "core/options/OptionSet.h"
#include "RomContents.h"
#include "StoredZip.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
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
    QString zinc = dir.filePath(u"zinc"_s);
    QString roms = dir.filePath(u"roms"_s);

    Setup()
    {
        QDir().mkpath(zinc);
        QDir().mkpath(roms);
        OptionSet options;
        options.romDirectory = roms;
        options.sound = 1;
        writeFileAnew(zinc + u"/zinc.cfg"_s,
                      textFileBytes(zincConfigLines(options, u"w"_s), u"\n"_s));
        writeFileAnew(zinc + u"/renderer.cfg"_s,
                      textFileBytes(rendererConfigLines(options, u"w"_s), u"\n"_s));
    }

    void archive(const QString &romSet, const QString &leaveOut = {}) const
    {
        QList<zincsim::ZipEntry> entries;
        for (const QString &name : zincsim::requiredRomFiles(romSet))
            if (name != leaveOut)
                entries.append({name, "rom"});
        writeFileAnew(roms + u'/' + romSet + u".zip"_s, zincsim::makeStoredZip(entries));
    }

    QStringList arguments(int game) const
    {
        // What the shell hands the emulator from Rivonel's command line.
        return {QString::number(game), u"--use-config-file="_s + zinc + u"/zinc.cfg"_s,
                u"--use-renderer-cfg-file="_s + zinc + u"/renderer.cfg"_s};
    }

    Run run(const QStringList &args, const QStringList &environment = {}) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"ZINC_SIM_RUN_MS"_s, u"20"_s);
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
        return u"ERROR: missing rom file: "_s + roms + u'/' + romSet + u".zip [ "_s + file +
               u" ]"_s;
    }
};

} // namespace

class TestZincSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- The archives
    void storedZipRoundTripsAndRejectsJunk()
    {
        const QByteArray zip =
            zincsim::makeStoredZip({{u"a.bin"_s, "1"}, {u"b.bin"_s, QByteArray()}});
        QCOMPARE(zincsim::zipEntryNames(zip), std::optional(QStringList{u"a.bin"_s, u"b.bin"_s}));
        QVERIFY(!zincsim::zipEntryNames("not a zip").has_value());
        QVERIFY(!zincsim::zipEntryNames(QByteArray()).has_value());
        QVERIFY(!zincsim::zipEntryNames(zip.mid(30)).has_value());
    }

    // --- Outcomes, through a real process
    void finishesNormally()
    {
        Setup s;
        s.archive(u"sfex"_s);
        const Run run = s.run(s.arguments(2));
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines.last(), finishedLine.toString());
        QVERIFY(run.lines.join(u'\n').contains(u"Street Fighter EX (ASIA)"_s));
    }

    void reportsEachMissingRomFile()
    {
        Setup s;
        s.archive(u"kikaioh"_s, u"kikaioh_gfx.bin"_s);
        Run run = s.run(s.arguments(12));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.lines.last(), s.missingLine(u"kikaioh"_s, u"kikaioh_gfx.bin"_s));
        QVERIFY(!run.lines.contains(finishedLine.toString()));

        run = s.run(s.arguments(12), {u"ZINC_SIM_MISSING=extra.bin"_s});
        QCOMPARE(run.lines.mid(run.lines.size() - 2),
                 (QStringList{s.missingLine(u"kikaioh"_s, u"kikaioh_gfx.bin"_s),
                              s.missingLine(u"kikaioh"_s, u"extra.bin"_s)}));

        // No archive at all: every file is missing, the first one reported first.
        run = s.run(s.arguments(21));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.lines.contains(s.missingLine(u"tekken"_s, u"tekken_prg.bin"_s)));
    }

    void badInvocationsFailWithAnErrorLine()
    {
        Setup s;
        s.archive(u"sfex"_s);
        const QStringList invocations[] = {s.arguments(0), s.arguments(27),
                                           s.arguments(1) << u"--fast"_s,
                                           s.arguments(1) << u"--use-config-file=/nonexistent"_s};
        for (const QStringList &args : invocations) {
            const Run run = s.run(args);
            QVERIFY(run.exitCode > 1);
            QCOMPARE(run.lines.size(), 1);
            QVERIFY(run.lines.first().startsWith(u"ERROR: "_s));
            QVERIFY(!run.lines.first().startsWith(missingRomLine.toString()));
        }
    }

    void forcedBehaviours()
    {
        Setup s;
        s.archive(u"sfex"_s);
        Run run = s.run(s.arguments(1), {u"ZINC_SIM_SILENT=1"_s});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.lines.isEmpty());

        run = s.run(s.arguments(1), {u"ZINC_SIM_CRASH=1"_s});
        QCOMPARE(run.status, QProcess::CrashExit);
        QVERIFY(!run.lines.isEmpty());
        for (const QString &line : run.lines) {
            QVERIFY(!line.startsWith(finishedLine.toString()));
            QVERIFY(!line.startsWith(missingRomLine.toString()));
        }
    }

    // --- The demo the build lays out
    void demoHasTwoPluginsAndOneIncompleteArchive()
    {
        const QString demo = QStringLiteral(RIVONEL_DEMO_DIR);
        QVERIFY(QFileInfo(demo + u"/zinc/"_s + PlatformConventions::native().emulatorFileName)
                    .isExecutable());
        for (int position = 0; position < 4; ++position)
            QCOMPARE(QFile::exists(demo + u"/zinc/"_s + rendererPlugin(position).file.toString()),
                     position == 1 || position == 2);
        QFile incomplete(demo + u"/roms/kikaioh.zip"_s);
        QVERIFY(incomplete.open(QIODevice::ReadOnly));
        const auto names = zincsim::zipEntryNames(incomplete.readAll());
        QVERIFY(names && !names->contains(u"kikaioh_gfx.bin"_s));
        QVERIFY(QFile::exists(demo + u"/roms/sfex.zip"_s));
    }
};

QTEST_GUILESS_MAIN(TestZincSim)
#include "test_zinc_sim.moc"
