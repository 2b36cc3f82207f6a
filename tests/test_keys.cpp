// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LinkLabel.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestKeys : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    // --- Keys and clicks
    void enterPressesPlayAndTheLogBoxTakesNoTyping()
    {
        // A Zinc folder and a ROM folder without the game's archive.
        const QString zinc = f->programPath + u"/zinc"_s, roms = f->programPath + u"/roms"_s;
        QVERIFY(writeAll(zinc + u'/' + f->desktop.platform.emulatorFileName) &&
                QDir().mkpath(roms));
        loadWith(u"[General]\nZincPath=%1\nRomPath=%2\n"_s.arg(zinc, roms).toUtf8());
        f->select(0);
        QVERIFY(showActive());
        QSignalSpy played(w().cmdPlay, &QPushButton::clicked);
        QSignalSpy browsed(w().cmdProcuraZinc, &QPushButton::clicked);
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 w().txtFrameRate, w().lstGames, w().cboRend, w().txtlog, w().chkSound}) {
            QTest::keyClick(widget, Qt::Key_Return);
            QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
        }
        QCOMPARE(played.count(), 10);
        QTest::keyClick(w().cmdProcuraZinc, Qt::Key_Return);
        QTest::keyClick(w().txtFrameRate, Qt::Key_Return, Qt::ControlModifier);
        w().cmdPlay->setEnabled(false);
        QTest::keyClick(w().txtFrameRate, Qt::Key_Return);
        QCOMPARE(browsed.count(), 1);
        QCOMPARE(played.count(), 10);
        // A double click on a game plays it (here: its archive is missing).
        f->select(0);
        const QPoint at = w().lstGames->visualItemRect(w().lstGames->item(0)).center();
        QTest::mouseClick(w().lstGames->viewport(), Qt::LeftButton, {}, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, w().lstGames->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(w().lstGames->viewport(), &twice);
        QVERIFY2(f->log().contains(u"sfex.zip"_s), qPrintable(f->log()));

        // The log box takes no typing, pasting or cutting, but copies.
        LogBox *log = w().txtlog;
        const QString before = log->text();
        QGuiApplication::clipboard()->setText(u"pasted"_s);
        QTest::keyClicks(log, u"abc"_s);
        for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete})
            QTest::keyClick(log, key);
        for (const auto key : {Qt::Key_V, Qt::Key_A, Qt::Key_X})
            QTest::keyClick(log, key, Qt::ControlModifier);
        QCOMPARE(log->text(), before);
        QTest::keyClick(log, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString(before).replace(u'\r', u""_s));
    }

    // Tab visits every enabled control shown once, log box included, and each
    // shows that it has the focus; Ctrl+Tab/PgDn switch tabs, Ctrl+F goes to the search.
    void tabVisitsEveryControlOnceInReadingOrder_data()
    {
        QTest::addColumn<int>("tab");
        for (int tab = 0; tab < 3; ++tab)
            QTest::addRow("tab %d", tab) << tab;
    }

    void tabVisitsEveryControlOnceInReadingOrder()
    {
        QFETCH(int, tab);
        w().Form_Load();
        QVERIFY(showActive());
        f->select(0);
        QTest::keyClick(w().chkSound, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w().txtSearch->hasFocus());
        w().abas->setCurrentIndex(0); // the first start shows the General tab
        w().lstGames->setFocus();
        for (int step = 0; step < tab; ++step)
            QTest::keyClick(w().lstGames, step ? Qt::Key_PageDown : Qt::Key_Tab,
                            Qt::ControlModifier);
        QCOMPARE(w().abas->currentIndex(), tab);
        QWidgetList visited;
        do {
            visited << QApplication::focusWidget();
            QTest::keyClick(visited.last(), Qt::Key_Tab);
        } while (QApplication::focusWidget() != w().lstGames && visited.size() < 60);
        const QWidgetList reached = focusable(w());
        QCOMPARE(visited.size(), reached.size());
        QCOMPARE(QSet<QWidget *>(visited.begin(), visited.end()),
                 QSet<QWidget *>(reached.begin(), reached.end()));
        QCOMPARE(visited.first(5), (QWidgetList{w().lstGames, w().Picture1, w().cboScope,
                                                w().cmdPreview, w().cmdPlay}));
        // The notice's button, the search and the filter lead back to the list.
        QCOMPARE(visited.last(8),
                 (QWidgetList{w().cboLang, w().cmdHelp, w().cmdBigScreen, w().lblSite, w().txtlog,
                              w().cmdNotice, w().txtSearch, w().cboFilter}));
        // As after a Tab: the style draws its focus marks for the keyboard.
        w().setAttribute(Qt::WA_KeyboardFocusChange);
        QStringList unmarked;
        for (QWidget *control : reached) {
            w().txtlog->setFocus();
            if (control == w().txtlog)
                w().lstGames->setFocus();
            const QImage before = control->grab().toImage();
            control->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            if (control->grab().toImage() == before)
                unmarked << control->objectName();
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(u", "_s)));
    }
};

QTEST_MAIN(TestKeys)
#include "test_keys.moc"
