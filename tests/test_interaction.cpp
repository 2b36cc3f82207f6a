#include "window/ImageList.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

struct Fixture : WindowFixture {
    Fixture() { window->Form_Load(); }

    void select(int position) const { set("lstGames", position); }
    QString log() const { return control<LogBox>("txtlog")->text(); }
    QRgb shownCentre() const
    {
        const QImage shown = control<QLabel>("Picture1")->pixmap().toImage();
        return shown.pixel(shown.width() / 2, shown.height() / 2);
    }
    QRgb logoCentre() const
    {
        const QImage logo = control<ImageList>("ImageList1")->image(0);
        return logo.pixel(logo.width() / 2, logo.height() / 2);
    }
    void snapshot(const char *romSet, QColor colour) const
    {
        QDir().mkpath(programFile(u"snap"_s));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(programFile(u"snap/%1.jpg"_s.arg(QLatin1String(romSet))), "JPEG"));
    }
    ValueCheckBox *box(const char *name) const { return control<ValueCheckBox>(name); }
    // The audio boxes' values ("!" when disabled), then the two text boxes
    // by name when enabled, "-" when not.
    QString audio() const
    {
        QStringList parts;
        for (const char *name : {"chkSound", "chkSoundFilter", "chkStereoExciter",
                                 "chkSurroundLite", "chkSurroundLiteMultiplier"})
            parts << QString::number(box(name)->value()) + (enabled(name) ? u""_s : u"!"_s);
        parts << (enabled("txtSoundFilterCutoff") ? u"cutoff"_s : u"-"_s)
              << (enabled("txtSurroundMultiplier") ? u"multiplier"_s : u"-"_s);
        return parts.join(u' ');
    }
    bool enabled(const char *name) const { return control<QWidget>(name)->isEnabled(); }
};

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 &&
           qAbs(qBlue(a) - b.blue()) < 24;
}

} // namespace

class TestInteraction : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Selecting a game
    void selectionLineNamesNumberAndTitle()
    {
        Fixture f;
        f.select(0);
        QCOMPARE(f.log(), u": 1 - Street Fighter EX (JP)"_s);
        f.select(8);
        QCOMPARE(f.log(), u": 9 - Justice Gakuen (JP)"_s);
        f.control<QListWidget>("lstGames")->clearSelection();
        QCOMPARE(f.log(), u": 0 - "_s);
        QVERIFY(near(f.shownCentre(), QColor::fromRgb(f.logoCentre())));
    }

    void snapshotsAreSharedReplacedOrKept()
    {
        Fixture f;
        f.snapshot("sfex", Qt::red);
        f.snapshot("sfexp", Qt::blue);
        f.select(0);
        QVERIFY(near(f.shownCentre(), Qt::red));
        // Scaled to fill the box, keeping its shape.
        const QSize box = f.control<QLabel>("Picture1")->contentsRect().size();
        QCOMPARE(box, QSize(320, 240));
        QCOMPARE(f.control<QLabel>("Picture1")->pixmap().size(), box);
        f.select(1); // same ROM set, same picture
        QVERIFY(near(f.shownCentre(), Qt::red));
        QCOMPARE(f.log(), u": 2 - Street Fighter EX (ASIA)"_s);

        f.select(4); // no snapshot: the logo
        QVERIFY(near(f.shownCentre(), QColor::fromRgb(f.logoCentre())));
        f.select(2); // a real one replaces it
        QVERIFY(near(f.shownCentre(), Qt::blue));

        // A file that is no picture keeps the last one, quietly.
        QFile junk(f.programFile(u"snap/sg2j.jpg"_s));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        f.select(6);
        QCOMPARE(f.log(), u": 7 - Star Gladiator 2 (JP)"_s);
        QVERIFY(near(f.shownCentre(), Qt::blue));
        QVERIFY(f.desktop.calls.filter(u"showMessage"_s).isEmpty());
    }

    void withoutASnapFolderTheLogoShows()
    {
        Fixture f;
        f.select(3);
        QVERIFY(near(f.shownCentre(), QColor::fromRgb(f.logoCentre())));
    }

    void doubleClickPlaysTheNewlySelectedGame()
    {
        Fixture f;
        const QString zinc = f.programDirectory.path();
        writeAll(f.programFile(f.desktop.platform.emulatorFileName));
        writeAll(f.programFile(u"d3d_renderer.znc"_s));
        writeAll(f.programFile(u"sfexp.zip"_s));
        f.control<QLineEdit>("txtZincDir")->setText(zinc);
        f.control<QLineEdit>("txtRomDir")->setText(zinc);
        auto *games = f.control<QListWidget>("lstGames");
        games->scrollToItem(games->item(3));
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QPoint at = games->visualItemRect(games->item(3)).center();
        QTest::mouseClick(games->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(games->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.desktop.calls.filter(u"startHidden"_s).size(), 1);
        QVERIFY(f.window->launchCommand().contains(u" 4 --use-config-file="_s));
        QVERIFY(!f.window->isEnabled());
        // The run would give the window back; here the test does.
        f.window->setEnabled(true);
        QGuiApplication::restoreOverrideCursor();
    }

    // --- Option interlocks
    void soundRulesCascadeThroughTheBoxes()
    {
        Fixture f;
        f.set({{"chkSound", 1},
               {"chkSoundFilter", 1},
               {"chkStereoExciter", 1},
               {"chkSurroundLite", 1}});
        QCOMPARE(f.audio(), u"1 1 1 1 1 cutoff multiplier"_s);
        // Off: each effect box is cleared, and its own rule runs on the way.
        f.set("chkSound", 0);
        QCOMPARE(f.audio(), u"0 0! 0! 0! 0! - -"_s);
        QVERIFY(f.enabled("lblSoundFilterCutoff"));
        // On again: the boxes are free but stay off.
        f.set("chkSound", 1);
        QCOMPARE(f.audio(), u"1 0 0 0 0 - -"_s);
        // Surround checks its multiplier, which the user may clear again.
        f.set("chkSurroundLite", 1);
        f.box("chkSurroundLiteMultiplier")->click();
        QCOMPARE(f.audio(), u"1 0 0 1 0 - multiplier"_s);
    }

    void eachRuleLooksOnlyAtItsOwnBox()
    {
        Fixture f;
        // Sound off while the filter is already off: the filter rule does not
        // run, so the cut-off box keeps its state.
        f.set({{"chkSoundFilter", 1}, {"chkSoundFilter", 0}});
        f.control<QWidget>("txtSoundFilterCutoff")->setEnabled(true);
        f.set("chkSound", 0);
        QVERIFY(f.enabled("txtSoundFilterCutoff"));
        // The options load order: sound off, then the filter on.
        f.set("chkSoundFilter", 1);
        QCOMPARE(f.audio().section(u' ', 1, 1) + f.audio().section(u' ', 5, 5), u"1!cutoff"_s);

        // Only a checked auto box turns the frame rate off, and keeps its text.
        f.set({{"txtFrameRate", u"60"_s}, {"chkFrameSkipAuto", 1}});
        QVERIFY(!f.enabled("txtFrameRate"));
        QCOMPARE(f.window->currentOptions().frameRate, u"60"_s);
        f.set("chkFrameSkipAuto", 2);
        QVERIFY(f.enabled("txtFrameRate"));
    }

    // --- Folder pickers
    void pickersTakeTheChosenFolder()
    {
        Fixture f;
        auto *zinc = f.control<QLineEdit>("txtZincDir");
        auto *roms = f.control<QLineEdit>("txtRomDir");
        zinc->setText(u"typed"_s);
        f.desktop.folderAnswer.reset(); // cancel
        f.control<QPushButton>("cmdProcuraZinc")->click();
        f.control<QPushButton>("cmdProcuraRoms")->click();
        QCOMPARE(zinc->text(), u"typed"_s);
        QVERIFY(f.desktop.calls.filter(u"showMessage"_s).isEmpty());

        // A folder with the emulator: taken, no warning.
        writeAll(f.programFile(f.desktop.platform.emulatorFileName));
        f.desktop.folderAnswer = f.programDirectory.path();
        f.control<QPushButton>("cmdProcuraZinc")->click();
        QCOMPARE(zinc->text(), f.programDirectory.path());
        QVERIFY(f.desktop.calls.filter(u"showMessage"_s).isEmpty());

        // A root folder without it: warned, and taken all the same.
        f.desktop.folderAnswer = QDir::rootPath();
        f.control<QPushButton>("cmdProcuraZinc")->click();
        QCOMPARE(zinc->text(), QDir::rootPath());
        const QString title = f.window->languageTexts().text(12);
        QVERIFY(f.desktop.calls.contains(u"pickFolder|"_s + title));
        QCOMPARE(f.desktop.calls.filter(u"showMessage"_s),
                 QStringList{u"showMessage|%1|%2|16"_s.arg(f.window->languageTexts().text(44),
                                                           f.window->languageTexts().text(9))});

        f.control<QPushButton>("cmdProcuraRoms")->click();
        QCOMPARE(roms->text(), QDir::rootPath());
    }

    // --- Web link
    void webLinkReportsWhatWentWrong_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("opened") << int(Desktop::WebOpenResult::Opened) << QString();
        QTest::newRow("no browser") << int(Desktop::WebOpenResult::NoBrowser)
                                    << QStringLiteral("showMessage|Could not find associated "
                                                      "Browser|Browser Not Found|48");
        QTest::newRow("not opened") << int(Desktop::WebOpenResult::NotOpened)
                                    << u"showMessage|Web Page not Opened|URL Failed|48"_s;
    }

    void webLinkReportsWhatWentWrong()
    {
        QFETCH(int, answer);
        QFETCH(QString, message);
        Fixture f;
        f.desktop.webAnswer = static_cast<Desktop::WebOpenResult>(answer);
        auto *link = f.control<QLabel>("lblSite");
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(f.desktop.calls.filter(u"openWebAddress"_s).size(), 1);
        QCOMPARE(f.desktop.calls.filter(u"showMessage"_s),
                 message.isEmpty() ? QStringList() : QStringList{message});
    }

    // --- Log box
    void logBoxTakesNoTypingButCopies()
    {
        Fixture f;
        auto *log = f.control<LogBox>("txtlog");
        const QString before = log->text();
        QGuiApplication::clipboard()->setText(u"pasted"_s);
        QTest::keyClicks(log, u"abc"_s);
        for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete})
            QTest::keyClick(log, key);
        QTest::keyClick(log, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(log, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(log, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(log->text(), before);
        QCOMPARE(log->toPlainText(), QString(before).replace(u"\r\n"_s, u"\n"_s));
        QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), log->toPlainText());
    }
};

QTEST_MAIN(TestInteraction)
#include "test_interaction.moc"
