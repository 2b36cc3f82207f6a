// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/GameTable.h"
#include "core/run/ArchiveLessons.h"
#include "core/run/GameRun.h"
#include "core/run/RunLogKeeper.h"
#include "core/run/RunRecord.h"
#include "core/system/ShownName.h"
#include "EmulatorSetup.h"
#include "platform/ProcessLauncher.h"

#include <QDirIterator>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

constexpr int lingerMs = 400;

// A run in a folder of its own, over the substitute emulator (for real) or a
// launch that only pretends, in the language of markers.
struct RunFixture {
    QTemporaryDir dir;
    PlatformConventions platform = PlatformConventions::native();
    QString zinc, roms, runDirectory;
    FakeLauncher fake;
    ProcessLauncher real{platform, 1000};
    std::unique_ptr<GameRun> run;
    std::unique_ptr<QSignalSpy> started, failed, ended;

    explicit RunFixture(const QString &zincName = u"zinc"_s, const QString &romsName = u"roms"_s,
                        const QString &runName = u"run"_s)
        : zinc(dir.filePath(zincName)), roms(dir.filePath(romsName)),
          runDirectory(dir.filePath(runName))
    {
        prepareZincAndRoms(zinc, roms);
        use(fake);
    }
    void use(Launcher &launcher)
    {
        ProgramLocations locations;
        locations.settingsDirectory = locations.runDirectory = runDirectory;
        run = std::make_unique<GameRun>(launcher, platform, ProgramFiles::of(locations, platform),
                                        lingerMs);
        started = std::make_unique<QSignalSpy>(run.get(), &GameRun::started);
        failed = std::make_unique<QSignalSpy>(run.get(), &GameRun::failed);
        ended = std::make_unique<QSignalSpy>(run.get(), &GameRun::ended);
    }
    RunRequest request(int game, int renderer = 1) const
    {
        RunRequest r;
        r.options.zincDirectory = zinc;
        r.options.romDirectory = roms;
        r.options.renderer = {renderer, {}};
        r.options.sound = check::checked;
        if (game >= 0) {
            const GameEntry &entry = gameTable()[static_cast<std::size_t>(game)];
            r.options.game = {game, entry.title.toString()};
            r.romSet = entry.romSet.toString();
        }
        return r;
    }
    void play(int game, int renderer = 1) { run->play(request(game, renderer)); }
    QString log() const { return run->logPath(); }
    QString kept() const { return platform.join(runDirectory, u"last-run.log"_s); }
    // What the last signal said, in the language given.
    static QString said(const QSignalSpy &spy, const LanguageTextTable &texts = markerTexts())
    {
        const QVariant last = spy.last().at(0);
        return (last.canConvert<RunOutcome>() ? last.value<RunOutcome>().report
                                              : last.value<Wording>())(texts);
    }
    QString startedLog(int game) const
    {
        return u"<41> "_s + gameTable()[static_cast<std::size_t>(game)].title.toString() +
               u"...\r\n<45>\r\n<48> OpenGL\r\n"_s;
    }
};

// Counts the calls queued to an object, such as a look queueing the next.
struct QueuedCalls : QObject {
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::MetaCall;
        return false;
    }
};

} // namespace

class TestRun : public QObject {
    Q_OBJECT
    std::unique_ptr<RunFixture> f;

private Q_SLOTS:
    void init() { f = std::make_unique<RunFixture>(); }
    void cleanup() { f.reset(); }

    // --- Runs through the real shell and the substitute emulator
    void aRunReportsHowTheEmulatorEnded_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("hostile"); // paths a shell would split or expand
        QTest::newRow("shell characters") << QByteArray() << u"<49>"_s << true;
        // How a bad end came about is told when the system tells it.
#ifdef Q_OS_WIN
        const QString aborted = u"<84 3>"_s; // abort() ends a Windows program with 3
#else
        const QString aborted = u"<85 aborted (SIGABRT)>"_s;
#endif
        QTest::newRow("crash") << QByteArray("ZINC_SIM_CRASH")
                               << u"<54 Renderer settings: 15>\r\n"_s + aborted + u"\r\n<73>"_s
                               << false;
        // What ends by itself a moment after the emulator was not left behind.
        QTest::newRow("a helper that ends soon after")
            << QByteArray("ZINC_SIM_BRIEF_HELPER") << u"<49>"_s << false;
    }

    void aRunReportsHowTheEmulatorEnded()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, report);
        QFETCH(bool, hostile);
#ifdef Q_OS_WIN
        if (hostile)
            QSKIP("Windows allows no quote in a file name; test_win32 has its own hostile names");
#endif
        if (hostile)
            f = std::make_unique<RunFixture>(u"z `touch pwned` \"q\" \\ 100%"_s, u"r;$HOME"_s,
                                             u"a b/$(touch pwned)"_s);
        if (!variable.isEmpty())
            qputenv(variable.constData(), "1");
        QVERIFY(!f->real.running()); // nothing launched yet
        f->use(f->real);
        f->play(0);
        QCOMPARE(f->started->count(), 1);
        QCOMPARE(RunFixture::said(*f->started), f->startedLog(0));
        QVERIFY(f->run->watching());
        QCOMPARE(readAll(f->run->scriptPath()),
                 (f->run->launchCommand() + f->platform.lineEnd).toLocal8Bit());
        QVERIFY(f->run->launchCommand().contains(u" 1 "_s));
        // No clock: the end of the script alone ends the run.
        QTRY_COMPARE_WITH_TIMEOUT(f->ended->count(), 1, runLimitMs);
        QVERIFY(!f->run->watching());
        // Whole, but for the emulator's last lines after <73>.
        const QString said = RunFixture::said(*f->ended);
        QCOMPARE(report.endsWith(u"<73>"_s) ? said.left(report.size()) : said, report);
        QVERIFY(!QFile::exists(f->log()));
        // The emulator's output is kept; the report names it when the game did not finish.
        const QString kept = f->kept();
        QVERIFY(readAll(kept).contains("Renderer settings: 15"));
        QCOMPARE(said.contains(u"<178 "_s + shownName(kept)), report.endsWith(u"<73>"_s));
        QVERIFY(QFile::exists(f->zinc + u"/zinc.cfg"_s) &&
                QFile::exists(f->zinc + u"/renderer.cfg"_s));
        for (const QString &dir : {f->runDirectory, f->zinc, QDir::currentPath()})
            QVERIFY2(!QFile::exists(dir + u"/pwned"_s), qPrintable(dir));
    }

    // --- Launches that only pretend to run: the test writes the log
    void theLogIsWatchedUntilTheRunIsOver_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<bool>("decides");
        QTest::addColumn<QString>("report");
        QTest::newRow("other lines, the last without its end")
            << QByteArray("banner\r\nstill loading") << false
            << u"<54 still loading>\r\n<73>\r\nbanner\r\nstill loading"_s;
        // A flood is read a slice a look, and the looks go on by themselves.
        // An emulator that runs on after its last line is stopped, and the report says so.
        QTest::newRow("a flood, then the final line")
            << "banner\n" + QByteArray(9 * 1024 * 1024, 'x') + "\nFinished execution...\n"
            << true << u"<49>\r\n<150>"_s;
    }

    void theLogIsWatchedUntilTheRunIsOver()
    {
        QFETCH(QByteArray, output);
        QFETCH(bool, decides);
        QFETCH(QString, report);
        // Kept from an earlier run: the new run's output replaces it.
        const QString kept = f->kept();
        QVERIFY(writeAll(kept, "an earlier run's output\n"));
        // A log left from an earlier run is not this run's.
        QVERIFY(writeAll(f->log(), "Finished execution...\n"));
        f->play(0);
        QCOMPARE(f->fake.starts, QStringList{f->run->scriptPath() + u'|' + f->runDirectory});
        QVERIFY(!QFile::exists(f->log()));
        f->run->look(); // no log yet
        QVERIFY(writeAll(f->log(), output));
        f->run->look();
        // Nothing ends while the script runs; a deciding line gives it a while, then a stop.
        QTest::qWait(decides ? lingerMs / 4 : 2 * lingerMs);
        f->run->look();
        QVERIFY(f->run->watching() && f->ended->isEmpty() && QFile::exists(f->log()));
        QCOMPARE(f->fake.stops, 0);
        QTRY_COMPARE(f->fake.stops, decides ? 1 : 0);
        f->fake.end();
        QTRY_COMPARE(f->ended->count(), 1);
        // A run that did not finish says where its output is kept.
        QCOMPARE(RunFixture::said(*f->ended),
                 decides ? report : report + u"\r\n<178 "_s + shownName(kept) + u'>');
        QVERIFY(!f->run->watching() && !QFile::exists(f->log()));
        const QByteArray keptBytes = readAll(kept);
        if (decides) { // the flood: its start and its end, not all of it
            QVERIFY(keptBytes.size() < RunLogKeeper::headLimit + RunLogKeeper::tailLimit + 100);
            QVERIFY(keptBytes.startsWith("banner\n[... ") &&
                    keptBytes.endsWith("]\nFinished execution...\n"));
            // What is left out is counted, to the byte.
            const qsizetype at = keptBytes.indexOf("\n[... ") + 1;
            const qsizetype end = keptBytes.indexOf('\n', at) + 1;
            const QByteArray marker = keptBytes.mid(at, end - at);
            QVERIFY2(marker.endsWith(" bytes of output left out ...]\n"), marker.constData());
            QCOMPARE(keptBytes.size() - marker.size() +
                         marker.mid(5).split(' ').first().toLongLong(),
                     output.size());
        } else {
            QCOMPARE(keptBytes, output);
        }
        f->fake.end();
        QCoreApplication::processEvents();
        QueuedCalls queued;
        f->run->installEventFilter(&queued);
        f->run->look(); // nothing more once over, not even another look
        QTest::qWait(20);
        QCOMPARE(f->ended->count() + queued.count, 1);
    }

    void aLogThatCannotBeUsedEndsTheRunOnceTheScriptHasEnded_data()
    {
        specialFileRows(true);
    }

    void aLogThatCannotBeUsedEndsTheRunOnceTheScriptHasEnded()
    {
        QFETCH(QString, kind);
        const bool unreadable = kind == u"unreadable"_s;
        f->play(11);
        QVERIFY(putSpecialFile(kind, f->log())); // no file to read: the looks wait
        f->run->look();
        f->run->look();
        QVERIFY(f->run->watching() && f->ended->isEmpty());
        f->fake.isRunning = false; // gone, before the launcher has told so
        f->run->look();
        QCOMPARE(f->ended->count(), 1);
        QCOMPARE(RunFixture::said(*f->ended),
                 u"<53>\r\n<%1 %2>"_s.arg(unreadable ? 75 : 74).arg(f->log()));
        f->fake.end();
    }

    // A run's words, a stop's report among them, are given again in the
    // language of each showing, from what it found then: the disk is not
    // looked at again.
    void aRunsWordsFollowTheLanguageFromWhatItFound()
    {
        LanguageTextTable other = markerTexts();
        for (int n = 1; n <= LanguageTextTable::count; ++n)
            other.set(n, u'x' + other.text(n));
        f->play(0);
        QVERIFY(QFile::remove(f->zinc + u"/ogl_renderer.znc"_s));
        QCOMPARE(RunFixture::said(*f->started, other), f->startedLog(0).replace(u'<', u"x<"_s));
        QCOMPARE(RunFixture::said(*f->started), f->startedLog(0));
        // A stop is reported; the emulator's own lines stay as they were.
        f->run->stop();
        QVERIFY(f->fake.stops == 1 && f->run->watching());
        QVERIFY(writeAll(f->log(), "<frame 1>\n"));
        f->fake.end();
        const QString kept = shownName(f->kept()) + u'>';
        QCOMPARE(RunFixture::said(*f->ended), u"<72>\r\n<73>\r\n<frame 1>\r\n<178 "_s + kept);
        QCOMPARE(RunFixture::said(*f->ended, other),
                 u"x<72>\r\nx<73>\r\n<frame 1>\r\nx<178 "_s + kept);
        f->run->stop(); // no run, nothing to stop
        QCOMPARE(f->fake.stops, 1);
        f->play(0);
        QCOMPARE(RunFixture::said(*f->failed, other), u"x<42> ogl_renderer.znc x<47> x<136>"_s);
    }

    // A start lets go of a run being stopped: that run's force never reaches the new one.
    void aNewRunIsOutOfReachOfTheLastRunsStop()
    {
#ifdef Q_OS_WIN
        QSKIP("the scripts are sh; test_win32 ends its runs on Windows");
#else
        ProcessLauncher launcher(f->platform, 300);
        // A script deaf to a polite request, which says its process number.
        const auto deaf = [this](const char *name) {
            const QString script = f->dir.filePath(QLatin1String(name));
            writeAll(script,
                     "trap '' TERM\necho $$ > " + script.toUtf8() + ".pid\nexec sleep 30\n");
            return script;
        };
        QVERIFY(launcher.start(deaf("first"), f->dir.path(), [] {}));
        QTRY_VERIFY(QFile::exists(f->dir.filePath(u"first.pid"_s)));
        launcher.stop();
        bool ended = false;
        QVERIFY(launcher.start(deaf("second"), f->dir.path(), [&] { ended = true; }));
        QTest::qWait(600);
        QVERIFY(launcher.running() && !ended);
        launcher.stopAndWait();
        QVERIFY(!launcher.running());
        ::kill(readAll(f->dir.filePath(u"first.pid"_s)).trimmed().toInt(), SIGKILL); // let go
#endif
    }

    void anAbandonedRunSaysNothing()
    {
        f->play(0);
        f->run->abandon();
        // The shell may not have read its script yet.
        QVERIFY(!f->run->watching() && QFile::exists(f->run->scriptPath()));
        f->fake.end();
        QVERIFY(f->ended->isEmpty());
        f->run->abandon();
        QVERIFY(!QFile::exists(f->run->scriptPath()));
    }

    // A run the program let go of (it was killed during it) is taken on by
    // the next copy from its record and ended as its own; a record of a run
    // that is over goes, with the run's script and log.
    void aRecordedRunIsTakenOnAndARecordOfNoRunGoes()
    {
        const QString record = f->dir.filePath(u"run-record"_s);
        qputenv("ZINC_SIM_RUN_MS", "30000");
        f->use(f->real);
        f->run->keepRecordIn(record);
        f->play(0);
        QCOMPARE(f->started->count(), 1);
        QVERIFY(QFile::exists(record));
        f->run->abandon(); // as a kill would leave it
        QVERIFY(QFile::exists(record) && f->real.running());

        ProcessLauncher next(f->platform, 1000);
        f->use(next);
        f->run->keepRecordIn(record);
        QVERIFY(f->run->resume() && f->run->watching() && f->run->position() == 0);
        f->run->stop();
        QTRY_COMPARE_WITH_TIMEOUT(f->ended->count(), 1, runLimitMs);
        QCOMPARE(RunFixture::said(*f->ended).left(4), u"<72>"_s);
        QVERIFY(!next.running() && !f->real.running() && !QFile::exists(record));

        // The same record once its run is over: nothing to take on.
        QVERIFY(writeAll(record, RunRecord{next.identity(), 0, QDateTime::currentDateTimeUtc(),
                                           f->roms, u"sfex"_s}
                                     .toBytes()));
        QVERIFY(writeAll(f->run->scriptPath(), "") && writeAll(f->log(), "old"));
        f->use(next);
        f->run->keepRecordIn(record);
        QVERIFY(!f->run->resume() && !f->run->watching());
        for (const QString &file : {record, f->run->scriptPath(), f->log()})
            QVERIFY2(!QFile::exists(file), qPrintable(file));
    }

    // What an earlier run left at the log's name goes before the launch, never
    // opened; a directory cannot go, and the user is told to remove it.
    void aStaleLogIsRemovedOrNamed_data()
    {
        specialFileRows();
#ifdef Q_OS_UNIX
        QTest::newRow("link to nowhere") << u"dangling"_s;
#endif
    }

    void aStaleLogIsRemovedOrNamed()
    {
        QFETCH(QString, kind);
        if (kind == u"dangling"_s)
            QVERIFY(QDir().mkpath(f->runDirectory) &&
                    QFile::link(f->dir.filePath(u"elsewhere"_s), f->log()));
        else
            QVERIFY(QDir().mkpath(f->runDirectory) && putSpecialFile(kind, f->log()));
        f->play(0);
        if (kind == u"directory"_s) {
            QCOMPARE(RunFixture::said(*f->failed), f->startedLog(0) + u"<82 %1>"_s.arg(f->log()));
            QVERIFY(f->fake.starts.isEmpty() && !f->run->watching());
            return;
        }
        QVERIFY(f->started->count() == 1 && f->run->watching());
        QVERIFY(!QFileInfo(f->log()).exists() && !QFileInfo(f->log()).isSymLink());
        f->fake.end();
    }

    void whatIsMissingOrInTheWayStartsNothing()
    {
        const QString crlf = u"\r\n"_s;
        QVERIFY(QDir().mkpath(f->run->scriptPath()));     // its place is taken by a directory
        QVERIFY(QDir().mkpath(f->zinc + u"/zinc.cfg"_s)); // and so is zinc.cfg's
        f->play(0);
        QString log = RunFixture::said(*f->failed);
        QVERIFY(log.startsWith(f->startedLog(0)));
        const QString config = PlatformConventions::native().join(f->zinc, u"zinc.cfg"_s);
        QVERIFY(log.contains(u"\r\n<77 %1>\r\n"_s.arg(config)));
        QCOMPARE(log.section(crlf, -1), u"<55 %1>"_s.arg(f->run->scriptPath()));
        QVERIFY(QDir().rmdir(f->run->scriptPath()) && QDir().rmdir(f->zinc + u"/zinc.cfg"_s));
        f->fake.startAnswer = false;
        f->play(0);
        QCOMPARE(RunFixture::said(*f->failed),
                 f->startedLog(0) +
                     u"<56 %1 %2>"_s.arg(f->run->scriptPath(), f->platform.launchShell));
        QCOMPARE(f->fake.starts.size(), 1);

        // A missing archive: nothing starts, and no game: not a word.
        f->play(20);
        QCOMPARE(RunFixture::said(*f->failed), u"<42> tekken.zip <43>"_s);
        const int failures = f->failed->count();
        f->play(-1);
        QCOMPARE(f->failed->count(), failures);
        QVERIFY(f->started->isEmpty() && f->fake.starts.size() == 1 && !f->run->watching());
    }

    // A launch refused before anything is written: without a Zinc folder (an
    // empty one would be the root), or with a line break in a folder's name.
    void aRefusedLaunchWritesNothing_data()
    {
        QTest::addColumn<QString>("zinc"); // in the test's folder; empty for none
        QTest::addColumn<QString>("roms");
        QTest::addColumn<QString>("said");
        QTest::newRow("no Zinc folder") << QString() << u"roms"_s << u"<44>"_s;
        QTest::newRow("a Zinc folder not there") << u"gone"_s << u"roms"_s << u"<44>"_s;
        QTest::newRow("line feed in the Zinc folder") << u"zinc\nx"_s << u"roms"_s << u"<83 <6>>"_s;
        QTest::newRow("carriage return in the ROM folder")
            << u"zinc"_s << u"roms\rx"_s << u"<83 <7>>"_s;
    }

    void aRefusedLaunchWritesNothing()
    {
        QFETCH(QString, zinc);
        QFETCH(QString, roms);
#ifdef Q_OS_WIN
        if (zinc.contains(u'\n') || roms.contains(u'\r'))
            QSKIP("Windows allows no line break in a folder name");
#endif
        RunRequest request = f->request(0);
        request.options.zincDirectory = zinc.isEmpty() ? zinc : f->dir.filePath(zinc);
        request.options.romDirectory = f->dir.filePath(roms);
        // Folders with line breaks exist, so only the refusal keeps the option files out of them.
        QVERIFY(QDir().mkpath(request.options.romDirectory));
        QVERIFY(zinc.isEmpty() || zinc == u"gone"_s ||
                QDir().mkpath(request.options.zincDirectory));
        const QString config = f->platform.join(request.options.zincDirectory, u"zinc.cfg"_s);
        const auto files = [this] {
            QStringList found;
            for (QDirIterator it(f->dir.path(), QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext();)
                found << it.next();
            return found;
        };
        const QStringList before = files();
        const QDateTime written = QFileInfo(config).lastModified();
        f->run->play(request);
        QCOMPARE(f->failed->count(), 1);
        QTEST(RunFixture::said(*f->failed), "said");
        request.romSet.reset(); // without a game, nothing is said either
        f->run->play(request);
        QCOMPARE(f->failed->count(), 1);
        QCOMPARE(files(), before);
        QCOMPARE(QFileInfo(config).lastModified(), written);
        QVERIFY(f->started->isEmpty() && f->fake.starts.isEmpty());
    }

    // Play warns from the last check only when it saw the archive as it is;
    // a run's missing file is learned for the version it ran, and a later
    // check of that version keeps it.
    void whatRunsTeachHoldsForTheArchiveTheyRan()
    {
        const PlayedArchive played{u"sfex"_s, u"/r"_s, {10, 20}};
        ArchiveKnowledge known;
        known.folder = u"/r"_s;
        known.readings[u"sfex"_s] = {ArchiveReading::Verdict::Damaged, {}, {}, {}, {10, 20}};
        const LanguageTextTable texts = markerTexts();
        QVERIFY(playWarning(known, played, texts).value_or(QString()).startsWith(u"<134 "_s));
        PlayedArchive changed = played;
        changed.identity.modified = 21;
        PlayedArchive elsewhere = played;
        elsewhere.folder = u"/s"_s;
        QVERIFY(!playWarning(known, changed, texts) && !playWarning(known, elsewhere, texts) &&
                !playWarning(known, {}, texts));
        known.readings[u"sfex"_s].verdict = ArchiveReading::Verdict::Ready;
        QVERIFY(!playWarning(known, played, texts));

        const QString line = u"ERROR: missing rom file: /r/sfex.zip [ sfex_gfx.bin ]"_s;
        QVERIFY(!learnFromRun(known, played, u"ERROR: something else"_s));
        QVERIFY(!learnFromRun(known, elsewhere, line) && !learnFromRun(known, {}, line));
        QVERIFY(known.learned.isEmpty());
        QVERIFY(learnFromRun(known, played, line));
        QCOMPARE(known.learned.value(u"sfex"_s), (LearnedMissing{{10, 20}, u"sfex_gfx.bin"_s}));
        QCOMPARE(known.state(u"sfex"_s), ArchiveState::Incomplete);

        // A check that read the same version keeps the lesson; one of a
        // changed archive or of another folder does not.
        ArchiveKnowledge checked;
        checked.folder = u"/r"_s;
        checked.readings[u"sfex"_s] = {ArchiveReading::Verdict::Ready, {}, {}, {}, {10, 20}};
        QCOMPARE(withLessons(checked, known).missingFile(u"sfex"_s), u"sfex_gfx.bin"_s);
        checked.readings[u"sfex"_s].identity.size = 11;
        QVERIFY(withLessons(checked, known).learned.isEmpty());
        checked.readings[u"sfex"_s].identity.size = 10;
        checked.folder = u"/s"_s;
        QVERIFY(withLessons(checked, known).learned.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRun)
#include "test_run.moc"
