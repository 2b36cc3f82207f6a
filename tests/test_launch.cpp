#include "EmulatorSetup.h"
#include "window/LogBox.h"
#include "window/RunWindow.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
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
    QString script() const { return programFile(desktop.platform.launchScriptName); }
    void play(int position) const
    {
        select(position);
        window->cmdPlay->click();
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

    // Through the real shell and the substitute emulator.
    void aRunLocksTheWindowUntilStopEndsItsWholeTree()
    {
        qputenv("ZINC_SIM_RUN_MS", "60000");
        qputenv("ZINC_SIM_IGNORE_TERM", "1");
        f->play(0);
        QVERIFY(f->locked());
        const QString started = u"<41> Street Fighter EX (JP)...\r\n<45>\r\n<48> OpenGL\r\n"_s;
        QCOMPARE(f->log(), started);
        QCOMPARE(readAll(f->script()),
                 (f->window->launchCommand() + f->desktop.platform.lineEnd).toLocal8Bit());
        RunWindow *run = f->window->runWindow();
        QVERIFY(run && run->isVisible() && run->cmdStop->isEnabled());
        QCOMPARE(run->lblGame->text(), u"<68 Street Fighter EX (JP)>"_s);
        QTest::keyClick(run, Qt::Key_Escape);
        QVERIFY(!run->cmdStop->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QVERIFY(!f->window->runWindow());
        QVERIFY(!f->desktop.realLauncher.running()); // nothing of the run is left
        QCOMPARE(f->log().left(started.size() + 4), started + u"<72>"_s);
        QVERIFY(!QFile::exists(f->logFile()));
    }

    void closingDuringARunLeavesTheEmulatorRunning()
    {
        qputenv("ZINC_SIM_RUN_MS", "1500");
        f->play(0);
        QVERIFY(f->window->close());
        // The script is kept for the shell, which may not have read it yet.
        QVERIFY(f->desktop.realLauncher.running() && QFile::exists(f->script()));
        QTRY_VERIFY_WITH_TIMEOUT(!f->desktop.realLauncher.running(), runLimitMs);
        QVERIFY(readAll(f->logFile()).contains("Finished execution..."));
        // The program ends here: the window's end takes the hourglass with it.
        f->window.reset();
        QVERIFY(!QApplication::overrideCursor());
    }

    // The emulator's missing file marks the archive until it changes; Play
    // warns of it and plays all the same.
    void aMissingFileIsLearnedUntilTheArchiveChanges()
    {
        const auto tip = [this] { return f->window->lstGames->item(11)->toolTip(); };
        const QString incomplete = u"<159 kikaioh.zip kikaioh_gfx.bin>"_s;
        QTRY_COMPARE(tip(), u"<151 kikaioh.zip>"_s);
        f->play(11);
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);
        QCOMPARE(tip(), incomplete);
        f->play(11);
        QVERIFY(f->locked());
        QVERIFY(f->log().startsWith(u"<163 "_s + incomplete + u">\r\n<41> Kikaioh"_s));
        QTRY_VERIFY_WITH_TIMEOUT(f->idle(), runLimitMs);

        QList<zincsim::ZipEntry> entries;
        for (const QString &name : zincsim::requiredRomFiles(u"kikaioh"_s))
            entries.append({name, "rom"});
        QVERIFY(writeAll(f->programDirectory.filePath(u"roms/kikaioh.zip"_s),
                         zincsim::makeStoredZip(entries)));
        QTRY_COMPARE(tip(), u"<151 kikaioh.zip>"_s);
    }

    // Runs that only pretend: the timer's looks end one, a failed start frees the window.
    void theTimerWatchesTheLogAndAFailedStartLeavesTheWindowFree()
    {
        f = std::make_unique<LaunchFixture>(false);
        f->play(0);
        f->window->Timer1->setInterval(10);
        QSignalSpy ticks(f->window->Timer1, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2);
        QVERIFY(f->locked());
        QVERIFY(writeAll(f->logFile(), "banner\nFinished execution...\n"));
        QTRY_VERIFY(f->idle());
        QVERIFY(f->desktop.fakeLauncher.running()); // the log alone ended the run
        QVERIFY(f->log().endsWith(u"\r\n<49>"_s));
        f->desktop.fakeLauncher.end();

        f->desktop.fakeLauncher.startAnswer = false;
        f->play(0);
        QVERIFY(f->idle() && !f->window->runWindow());
        QVERIFY(f->log().endsWith(
            u"\r\n<56 %1 %2>"_s.arg(f->script(), f->desktop.platform.launchShell)));
        f->play(20);
        QCOMPARE(f->log(), u"<42> tekken.zip <43>"_s);
    }
};

QTEST_MAIN(TestLaunch)
#include "test_launch.moc"
