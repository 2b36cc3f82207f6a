#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

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
        return process.waitForStarted() &&
               QTest::qWaitFor(
                   [&] { return QFile::exists(lock) || process.state() == QProcess::NotRunning; },
                   startLimitMs);
    }
    bool running() { return !process.waitForFinished(1000); }

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
