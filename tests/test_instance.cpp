#include "EmulatorSetup.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <signal.h>

using namespace Qt::StringLiterals;
using namespace rivonel;

namespace {

constexpr int startLimitMs = 10000;

// A portable copy of the program in a folder of its own, started hidden.
struct Copy {
    QTemporaryDir folder;
    QString program = folder.filePath(u"rivonel"_s);
    QString lock;

    explicit Copy(const QString &runtime)
    {
        QFile::copy(QStringLiteral(RIVONEL_PATH), program);
        QDir(folder.path()).mkdir(u"language"_s);
        QFile(folder.filePath(u"portable.txt"_s)).open(QIODevice::WriteOnly);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(environment);
        process.setProgram(program);
        lock = runtime + u'/' +
               QFileInfo(SingleInstance::folderFor(folder.filePath(u"rivonel.ini"_s))).fileName() +
               u"/lock"_s;
    }
    ~Copy()
    {
        process.kill();
        process.waitForFinished();
    }
    // Started, and past the point where it holds the lock or has handed over.
    bool start(const QStringList &arguments = {})
    {
        process.setArguments(arguments);
        process.start();
        // The lock names its holder first: a killed copy's lock may still be there.
        const auto held = [&] {
            return test::readAll(lock).startsWith(QByteArray::number(process.processId()) + '\n');
        };
        return process.waitForStarted() &&
               QTest::qWaitFor([&] { return held() || process.state() == QProcess::NotRunning; },
                               startLimitMs);
    }
    bool running() { return !process.waitForFinished(1000); }
    QString file(const QString &name) const { return folder.filePath(name); }

    QProcess process;
};

// A second start of the same copy ends at once, with 0, and the first runs on.
bool handsOver(Copy &first)
{
    QProcess second;
    second.setProcessEnvironment(first.process.processEnvironment());
    second.start(first.program, {});
    return second.waitForFinished(startLimitMs) && second.exitStatus() == QProcess::NormalExit &&
           second.exitCode() == 0 && first.running();
}

} // namespace

// Whether the process is gone (not even a zombie left).
bool gone(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) != 0;
}

class TestInstance : public QObject {
    Q_OBJECT
    QTemporaryDir runtime;

private Q_SLOTS:
    // A second start with the same options file hands over and ends; copies
    // with options of their own run side by side; a killed copy's lock is
    // taken over.
    void oneRivonelPerOptionsFile()
    {
        Copy first(runtime.path());
        QVERIFY(first.start() && first.running());
        QVERIFY(handsOver(first));

        Copy elsewhere(runtime.path());
        QVERIFY(elsewhere.start() && elsewhere.running());

        first.process.kill(); // no chance to let go of its lock
        QVERIFY(first.process.waitForFinished());
        QVERIFY(first.start() && first.running());
        QVERIFY(handsOver(first));
    }

    // A signal to end is an orderly end: the game and what it left are
    // stopped, the run counted, the options kept and the run's files gone;
    // the status then names the signal. The game is asked before it is
    // forced, unless a second signal hurries the end.
    void aSignalEndsRivonelAndItsGameInOrder_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("twice");
        QTest::newRow("TERM") << SIGTERM << false;
        QTest::newRow("INT, as Ctrl+C") << SIGINT << false;
        QTest::newRow("HUP, the terminal closed") << SIGHUP << false;
        QTest::newRow("TERM twice") << SIGTERM << true;
    }

    void aSignalEndsRivonelAndItsGameInOrder()
    {
        QFETCH(int, signal);
        QFETCH(bool, twice);
        Copy copy(runtime.path());
        const QString zinc = copy.file(u"zinc"_s), roms = copy.file(u"roms"_s);
        test::prepareZincAndRoms(zinc, roms);
        QVERIFY(test::writeAll(copy.file(u"rivonel.ini"_s),
                               u"[General]\nZincPath=%1\nRomPath=%2\n"_s.arg(zinc, roms).toUtf8()));
        QProcessEnvironment environment = copy.process.processEnvironment();
        environment.insert(u"ZINC_SIM_RUN_MS"_s, u"60000"_s);
        // A deaf emulator, and a child of its own that takes a while to answer.
        environment.insert(u"ZINC_SIM_IGNORE_TERM"_s, u"1"_s);
        environment.insert(u"ZINC_SIM_DETACH"_s, u"child"_s);
        environment.insert(u"ZINC_SIM_STAMP_FILE"_s, copy.file(u"stamps"_s));
        copy.process.setProcessEnvironment(environment);
        QVERIFY(copy.start({u"--play"_s, u"1"_s}));
        const QList<qint64> processes = test::helperProcesses(copy.file(u"stamps"_s), startLimitMs);
        QVERIFY(!processes.isEmpty());
        ::kill(static_cast<pid_t>(copy.process.processId()), signal);
        if (twice) {
            QThread::msleep(50);
            ::kill(static_cast<pid_t>(copy.process.processId()), signal);
        }
        QVERIFY(copy.process.waitForFinished(startLimitMs));
        QCOMPARE(copy.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy.process.exitCode(), 128 + signal);
        QVERIFY(gone(processes[0]));
        QCOMPARE(test::readAll(copy.file(u"stamps"_s)).contains("\nasked\n"), !twice);
        QVERIFY(!QFile::exists(copy.file(u"roda.sh"_s)) && !QFile::exists(copy.file(u"log.txt"_s)));
        QVERIFY(test::readAll(copy.file(u"history.ini"_s)).contains("[Game1]\nPlayed=1\n"));
        QVERIFY(test::readAll(copy.file(u"rivonel.ini"_s)).contains("\nLastGame="));
    }

    // A copy killed outright leaves its game running; the next start takes
    // that run on rather than play another beside it, and ends it in order.
    void aKilledRivonelsRunIsTakenOnByTheNextStart()
    {
        Copy copy(runtime.path());
        const QString zinc = copy.file(u"zinc"_s), roms = copy.file(u"roms"_s);
        const QString stamps = copy.file(u"stamps"_s);
        test::prepareZincAndRoms(zinc, roms);
        QVERIFY(test::writeAll(copy.file(u"rivonel.ini"_s),
                               u"[General]\nZincPath=%1\nRomPath=%2\n"_s.arg(zinc, roms).toUtf8()));
        QProcessEnvironment environment = copy.process.processEnvironment();
        environment.insert(u"ZINC_SIM_RUN_MS"_s, u"60000"_s);
        environment.insert(u"ZINC_SIM_DETACH"_s, u"child"_s);
        environment.insert(u"ZINC_SIM_STAMP_FILE"_s, stamps);
        copy.process.setProcessEnvironment(environment);
        QVERIFY(copy.start({u"--play"_s, u"1"_s}));
        const QList<qint64> processes = test::helperProcesses(stamps, startLimitMs);
        QVERIFY(!processes.isEmpty());
        copy.process.kill();
        QVERIFY(copy.process.waitForFinished(startLimitMs) && !gone(processes[0]));

        QVERIFY(copy.start());
        // Past its load once it answers a second start, which asks for a game.
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(copy.program, {u"--play"_s, u"2"_s});
        QVERIFY(second.waitForFinished(startLimitMs) && second.exitCode() == 0);
        QThread::msleep(500);
        QCOMPARE(test::readAll(stamps).count("start "), 1);
        QVERIFY(!gone(processes[0]));
        ::kill(static_cast<pid_t>(copy.process.processId()), SIGTERM);
        QVERIFY(copy.process.waitForFinished(startLimitMs));
        QCOMPARE(copy.process.exitCode(), 128 + SIGTERM);
        // Not ours to reap: gone once the system has reaped it.
        QTRY_VERIFY(gone(processes[0]));
        QVERIFY(test::readAll(stamps).contains("\nasked\n"));
        QVERIFY(!QFile::exists(copy.file(u"roda.sh"_s)) && !QFile::exists(copy.file(u"log.txt"_s)));
        // Counted once, at its start, with its time added at its end.
        const QByteArray history = test::readAll(copy.file(u"history.ini"_s));
        QVERIFY2(history.contains("[Game1]\nPlayed=1\n") && !history.contains("[Game2]"),
                 history.constData());
    }

    // What the second start hands over arrives whole; a first copy that does
    // not answer sends the second away with its letter taken back.
    void theCommandLineIsHandedOver()
    {
        const QString folder = runtime.filePath(u"handover"_s);
        SingleInstance first(folder);
        QCOMPARE(first.claimOrHandOver({}), SingleInstance::Start::First);

        SingleInstance unanswered(folder);
        QCOMPARE(unanswered.claimOrHandOver({u"--x"_s}, 200), SingleInstance::Start::NoAnswer);
        QVERIFY(QDir(folder + u"/inbox"_s).isEmpty());

        QSignalSpy received(&first, &SingleInstance::commandLineReceived);
        first.listen();
        const QStringList arguments{u"--play"_s, u"a game \"with\"\nodd text ü"_s};
        // The second start waits for its answer: it runs beside this event loop.
        struct Second : QThread {
            QString folder;
            QStringList arguments;
            SingleInstance::Start handed = SingleInstance::Start::Unchecked;
            void run() override { handed = SingleInstance(folder).claimOrHandOver(arguments); }
        } second;
        second.folder = folder;
        second.arguments = arguments;
        second.start();
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, startLimitMs);
        QVERIFY(second.wait(startLimitMs));
        QCOMPARE(second.handed, SingleInstance::Start::HandedOver);
        QCOMPARE(received.first().first().toStringList(), arguments);

        // Where no lock can be made, nothing is checked: the start goes on alone.
        QVERIFY(QFile(runtime.filePath(u"file"_s)).open(QIODevice::WriteOnly));
        QCOMPARE(SingleInstance(runtime.filePath(u"file/sub"_s)).claimOrHandOver({}),
                 SingleInstance::Start::Unchecked);
    }
};

QTEST_GUILESS_MAIN(TestInstance)
#include "test_instance.moc"
