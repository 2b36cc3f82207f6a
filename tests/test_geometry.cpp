// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmulatorSetup.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QSplitter>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestGeometry : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    void theWindowComesBackAsItWasLeft()
    {
        w().show();
        const QRect moved(w().screen()->availableGeometry().topLeft() + QPoint(3, 40),
                          w().minimumSizeHint() + QSize(0, 90));
        w().setGeometry(moved);
        // The log box dragged taller, and a filter chosen.
        const QList<int> split{w().splLog->sizes().at(0) - 30, w().splLog->sizes().at(1) + 30};
        w().splLog->setSizes(split);
        w().cboFilter->setCurrentIndex(2);
        QVERIFY(w().close());
        f->window = std::make_unique<frmPrincipal>(f->desktop, f->locations);
        w().show();
        QCOMPARE(w().geometry(), moved);
        QCOMPARE(w().splLog->sizes(), split);
        QCOMPARE(w().cboFilter->currentIndex(), 2);
    }

    // A remembered geometry is only a wish: too large or off every screen,
    // the window comes back whole on the screen, and is never kept larger.
    void aRememberedGeometryFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::newRow("huge") << QRect(0, 0, 60000, 60000);
        QTest::newRow("far off") << QRect(-50000, 40000, 500, 300);
        QTest::newRow("corner off the bottom right") << QRect(700, 500, 500, 300);
    }

    void aRememberedGeometryFitsTheScreen()
    {
        QFETCH(QRect, saved);
        QWidget probe;
        probe.setGeometry(saved);
        const QString file = f->files().windowGeometry;
        QVERIFY(writeAll(file, "[Window]\nGeometry=" + probe.saveGeometry().toBase64() + "\n"));
        f->window = std::make_unique<frmPrincipal>(f->desktop, f->locations);
        w().show();
        const QRect room = w().screen()->availableGeometry();
        QTRY_VERIFY(room.contains(w().frameGeometry()));
        QVERIFY(w().size().width() <= std::max(saved.width(), w().minimumWidth()) &&
                w().size().height() <= std::max(saved.height(), w().minimumHeight()));
        // Grown past the screen, it is not kept so.
        w().resize(room.size().expandedTo(w().minimumSize()) + QSize(100, 100));
        QVERIFY(w().close());
        QVERIFY(!readAll(file).contains("Geometry="));
    }

    // At the start size and on a full HD screen, with the notice shown or
    // not, no control covers another and the picture keeps its shape.
    void nothingOverlaps_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("folders");
        QTest::newRow("start, new user") << QSize(758, 402) << false;
        QTest::newRow("start") << QSize(758, 402) << true;
        QTest::newRow("full HD") << QSize(1920, 1040) << true;
        QTest::newRow("full HD, new user") << QSize(1920, 1040) << false;
    }

    void nothingOverlaps()
    {
        QFETCH(QSize, size);
        QFETCH(bool, folders);
        const QString zinc = f->programPath + u"/zinc"_s, roms = f->programPath + u"/roms"_s;
        prepareZincAndRoms(zinc, roms);
        loadWith(
            folders ? u"[General]\nZincPath=%1\nRomPath=%2\nLastGame=3\n"_s.arg(zinc, roms).toUtf8()
                    : QByteArray("[General]\nLastGame=3\n"));
        w().resize(size);
        QVERIFY(showActive());
        QTRY_VERIFY(!w().gameList().pictureLoading());
        QCOMPARE(w().fraNotice->isVisible(), !folders);
        // The controls the user sees, each where no other is.
        QList<QWidget *> shown;
        for (QWidget *control : w().findChildren<QWidget *>())
            if (control->isVisible() && !control->objectName().isEmpty() &&
                !control->objectName().startsWith(u"qt_"_s))
                shown << control;
        QVERIFY(shown.size() > 15);
        // Where it shows: its rectangle, cut to each of its parents'.
        const auto place = [this](QWidget *control) {
            QRect shownPart(control->mapTo(&w(), QPoint()), control->size());
            for (QWidget *parent = control->parentWidget(); parent != &w();
                 parent = parent->parentWidget())
                shownPart &= QRect(parent->mapTo(&w(), QPoint()), parent->size());
            return shownPart;
        };
        for (QWidget *a : shown) {
            QVERIFY2(w().rect().contains(place(a)), a->objectName().toLatin1());
            for (QWidget *b : shown)
                if (a != b && !a->isAncestorOf(b) && !b->isAncestorOf(a))
                    QVERIFY2(!place(a).intersects(place(b)),
                             (a->objectName() + u" on "_s + b->objectName()).toLatin1());
        }
        // The picture fills its box at the logo's shape, larger on a larger screen.
        if (size.width() > 1000)
            QTRY_VERIFY(w().Picture1->pixmap().width() > 320);
        const QSize picture = w().Picture1->pixmap().size();
        QVERIFY(w().Picture1->contentsRect().size().expandedTo(picture) ==
                w().Picture1->contentsRect().size());
        QVERIFY(qAbs(picture.width() * 3 - picture.height() * 4) <= 4);
        // And follows the window when it changes again.
        w().resize(w().size() + QSize(200, 150));
        QTRY_VERIFY(w().Picture1->pixmap().size() != picture);
        QVERIFY(!w().lblDetails->text().isEmpty());
    }
};

// On a full HD screen, as the window's users have; the test platform's own
// screen is narrower than the window can be. The file is named relative to
// the working folder: a Windows path's colon would end the platform's option.
int main(int argc, char *argv[])
{
    const QString screens = u"test_geometry-screens.json"_s;
    writeAll(screens, R"({"screens": [{"name": "hd", "x": 0, "y": 0, "width": 1920,
                          "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    const QByteArray platform = "offscreen:configfile=" + screens.toLatin1();
    std::vector<char *> arguments(argv, argv + argc);
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (qstrcmp(arguments[i], "-platform") == 0 && qstrcmp(arguments[i + 1], "offscreen") == 0)
            arguments[i + 1] = const_cast<char *>(platform.constData());
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", platform);
    arguments.push_back(nullptr);
    int count = argc;
    int failed = 0;
    {
        QApplication app(count, arguments.data());
        TestGeometry test;
        QTEST_SET_MAIN_SOURCE_PATH
        failed = QTest::qExec(&test, count, arguments.data());
    }
    QFile::remove(screens);
    return failed;
}

#include "test_geometry.moc"
