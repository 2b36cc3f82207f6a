// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmulatorSetup.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // A Zinc folder with the substitute emulator and its archives, in the
    // options; the emulator runs for a minute, with a child of its own that
    // takes a while to answer, and stamps what it does.
    bool withGame(bool deaf)
    {
        const QString zinc = file(u"zinc"_s), roms = file(u"roms"_s);
        test::prepareZincAndRoms(zinc, roms);
        QProcessEnvironment environment = process.processEnvironment();
        environment.insert(u"ZINC_SIM_RUN_MS"_s, u"60000"_s);
        if (deaf)
            environment.insert(u"ZINC_SIM_IGNORE_TERM"_s, u"1"_s);
        environment.insert(u"ZINC_SIM_DETACH"_s, u"child"_s);
        environment.insert(u"ZINC_SIM_STAMP_FILE"_s, file(u"stamps"_s));
        process.setProcessEnvironment(environment);
        return test::writeAll(file(u"rivonel.ini"_s),
                              u"[General]\nZincPath=%1\nRomPath=%2\n"_s.arg(zinc, roms).toUtf8());
    }
    QString file(const QString &name) const { return folder.filePath(name); }

    QProcess process;
};

// A second start of the same copy ends at once, with 0, and the first runs on.
bool handsOver(Copy &first, const QStringList &arguments = {})
{
    QProcess second;
    second.setProcessEnvironment(first.process.processEnvironment());
    second.start(first.program, arguments);
    return second.waitForFinished(startLimitMs) && second.exitStatus() == QProcess::NormalExit &&
           second.exitCode() == 0 && first.running();
}

// A letter as a later start leaves it.
bool plantLetter(const QString &folder, int number)
{
    return test::writeAll(folder + u"/inbox/planted-%1.args"_s.arg(number),
                          R"(["rivonel","--play","3"])");
}

mode_t modeOf(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

} // namespace

class TestInstance : public QObject {
    Q_OBJECT
    QTemporaryDir runtime;

private Q_SLOTS:
    // A second start with the same options file hands over and ends; copies
    // with options of their own run side by side (a killed copy's lock: below).
    void oneRivonelPerOptionsFile()
    {
        Copy first(runtime.path());
        QVERIFY(first.start() && first.running());
        QVERIFY(handsOver(first));
        Copy elsewhere(runtime.path());
        QVERIFY(elsewhere.start() && elsewhere.running());
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
        QVERIFY(copy.withGame(true)); // a deaf emulator
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
        QVERIFY(!test::isAnyLeft(processes.first(1)));
        QCOMPARE(test::readAll(copy.file(u"stamps"_s)).contains("\nasked\n"), !twice);
        QVERIFY(!QFile::exists(copy.file(u"roda.sh"_s)) && !QFile::exists(copy.file(u"log.txt"_s)));
        QVERIFY(test::readAll(copy.file(u"history.ini"_s)).contains("[Game1]\nPlayed=1\n"));
        QVERIFY(test::readAll(copy.file(u"rivonel.ini"_s)).contains("\nLastGame="));
    }

    // A copy killed outright leaves its lock and its game running; the next
    // start takes both on rather than play another beside it, and ends it in order.
    void aKilledRivonelsRunIsTakenOnByTheNextStart()
    {
        Copy copy(runtime.path());
        QVERIFY(copy.withGame(false));
        const QString stamps = copy.file(u"stamps"_s);
        QVERIFY(copy.start({u"--play"_s, u"1"_s}));
        const QList<qint64> processes = test::helperProcesses(stamps, startLimitMs);
        QVERIFY(!processes.isEmpty());
        copy.process.kill();
        QVERIFY(copy.process.waitForFinished(startLimitMs) && test::isAnyLeft(processes.first(1)));

        QVERIFY(copy.start());
        // Past its load once it answers a second start, which asks for a game.
        QVERIFY(handsOver(copy, {u"--play"_s, u"2"_s}));
        QThread::msleep(500);
        QCOMPARE(test::readAll(stamps).count("start "), 1);
        QVERIFY(test::isAnyLeft(processes.first(1)));
        ::kill(static_cast<pid_t>(copy.process.processId()), SIGTERM);
        QVERIFY(copy.process.waitForFinished(startLimitMs));
        QCOMPARE(copy.process.exitCode(), 128 + SIGTERM);
        // Not ours to reap: gone once the system has reaped it.
        QTRY_VERIFY(!test::isAnyLeft(processes.first(1)));
        QVERIFY(test::readAll(stamps).contains("\nasked\n"));
        QVERIFY(!QFile::exists(copy.file(u"roda.sh"_s)) && !QFile::exists(copy.file(u"log.txt"_s)));
        // Counted once, at its start, with its time added at its end.
        const QByteArray history = test::readAll(copy.file(u"history.ini"_s));
        QVERIFY2(history.contains("[Game1]\nPlayed=1\n") && !history.contains("[Game2]"),
                 history.constData());
    }

    // A folder that anyone but the user could have made or could write to is
    // not trusted: the start runs unguarded, and nothing is locked in it.
    void aFolderNotTheUsersAloneIsNotTrusted_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a link to the user's own folder") << u"link"_s;
        QTest::newRow("open to others") << u"others"_s;
        QTest::newRow("a mailbox open to the group") << u"group"_s;
        QTest::newRow("another user's") << u"owner"_s;
    }

    void aFolderNotTheUsersAloneIsNotTrusted()
    {
        QFETCH(QString, kind);
        const QString folder = runtime.filePath(u"planted-"_s + kind);
        const QString real = folder + u"-real"_s;
        QVERIFY(QDir().mkpath(real + u"/inbox"_s));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0700) == 0);
        if (kind == u"link"_s) {
            QVERIFY(QFile::link(real, folder));
        } else {
            QVERIFY(QDir().rename(real, folder));
            const QString changed = kind == u"group"_s ? folder + u"/inbox"_s : folder;
            if (kind == u"owner"_s) {
                if (::getuid() != 0)
                    QSKIP("only root can give a folder to another user");
                QVERIFY(::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
            } else {
                QVERIFY(::chmod(QFile::encodeName(changed).constData(),
                                kind == u"group"_s ? 0770 : 0757) == 0);
            }
        }
        QCOMPARE(SingleInstance(folder).claimOrHandOver({}, 200),
                 SingleInstance::Start::NotPrivate);
        QVERIFY(!QFileInfo::exists(folder + u"/lock"_s));
    }

    // Without a runtime folder the lock lies in the user's state folder, in a
    // folder only the user can reach, not in /tmp where anyone may make it first.
    void withoutARuntimeFolderTheLockIsTheUsersAlone()
    {
        const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray stateBefore = qgetenv("XDG_STATE_HOME");
        const QString state = runtime.filePath(u"state"_s);
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_STATE_HOME", QFile::encodeName(state));
        const QString folder = SingleInstance::folderFor(runtime.filePath(u"rivonel.ini"_s));
        qputenv("XDG_RUNTIME_DIR", runtimeBefore);
        qputenv("XDG_STATE_HOME", stateBefore);
        QVERIFY2(folder.startsWith(state + u'/'), qPrintable(folder));
        SingleInstance first(folder);
        QCOMPARE(first.claimOrHandOver({}), SingleInstance::Start::First);
        QCOMPARE(modeOf(folder) & 0777, mode_t(0700));
        QCOMPARE(modeOf(folder + u"/inbox"_s) & 0777, mode_t(0700));
    }

    // A lock whose process number now belongs to another live process of the
    // same name is taken over when the holder it names started at another
    // time; one whose holder has yet to say who it is is not.
    void aLockWhoseHolderHasGoneIsTakenOver_data()
    {
        QTest::addColumn<bool>("holderKnown");
        QTest::addColumn<SingleInstance::Start>("start");
        QTest::newRow("holder started at another time") << true << SingleInstance::Start::First;
        QTest::newRow("holder not yet known") << false << SingleInstance::Start::NoAnswer;
    }

    void aLockWhoseHolderHasGoneIsTakenOver()
    {
        QFETCH(bool, holderKnown);
        QFETCH(SingleInstance::Start, start);
        const QString folder = runtime.filePath(u"stale-%1"_s.arg(holderKnown));
        QVERIFY(QDir().mkpath(folder + u"/inbox"_s));
        // As a killed Rivonel left it, whose number this test now has.
        QByteArray lock;
        {
            QLockFile held(folder + u"/lock"_s);
            QVERIFY(held.tryLock(0));
            lock = test::readAll(folder + u"/lock"_s);
        }
        QVERIFY(test::writeAll(folder + u"/lock"_s, lock));
        if (holderKnown)
            QVERIFY(
                test::writeAll(folder + u"/holder"_s,
                               QByteArray::number(QCoreApplication::applicationPid()) + " 1\n"));
        SingleInstance next(folder);
        QCOMPARE(next.claimOrHandOver({}, 200), start);
        // The lock taken over is held: a later start is sent to it.
        if (start == SingleInstance::Start::First)
            QCOMPARE(SingleInstance(folder).claimOrHandOver({}, 200),
                     SingleInstance::Start::NoAnswer);
    }

    // A flood of command lines gives a few dozen at most, the rest dropped
    // unread and told once, with their number; once it has passed, a command
    // line is followed again.
    void aFloodOfCommandLinesIsCutShortAndToldOnce()
    {
        const QString folder = runtime.filePath(u"flood"_s);
        SingleInstance first(folder);
        QCOMPARE(first.claimOrHandOver({}), SingleInstance::Start::First);
        constexpr int flood = 200;
        for (int n = 0; n < flood; ++n)
            QVERIFY(plantLetter(folder, n));
        QSignalSpy received(&first, &SingleInstance::commandLineReceived);
        QSignalSpy dropped(&first, &SingleInstance::lettersDropped);
        first.listen();
        QTRY_COMPARE_WITH_TIMEOUT(dropped.count(), 1, startLimitMs);
        QVERIFY2(received.count() > 0 && received.count() <= 50,
                 qPrintable(QString::number(received.count())));
        QCOMPARE(received.count() + dropped.first().first().toInt(), flood);
        QVERIFY(QDir(folder + u"/inbox"_s).isEmpty());

        const qsizetype followed = received.count();
        QVERIFY(plantLetter(folder, flood));
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), followed + 1, startLimitMs);
        QCOMPARE(dropped.count(), 1);
    }

    // A letter that cannot be deleted is followed once, not at every look.
    void anUndeletableLetterIsFollowedOnce()
    {
        if (::getuid() == 0)
            QSKIP("root deletes from a read-only folder");
        const QString folder = runtime.filePath(u"undeletable"_s);
        SingleInstance first(folder);
        QCOMPARE(first.claimOrHandOver({}), SingleInstance::Start::First);
        QVERIFY(plantLetter(folder, 0));
        const QByteArray inbox = QFile::encodeName(folder + u"/inbox"_s);
        QVERIFY(::chmod(inbox.constData(), 0500) == 0);
        QSignalSpy received(&first, &SingleInstance::commandLineReceived);
        first.listen();
        QTest::qWait(2500); // a few looks
        ::chmod(inbox.constData(), 0700);
        QCOMPARE(received.count(), 1);
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
