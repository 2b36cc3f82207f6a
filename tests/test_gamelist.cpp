// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameShortcut.h"
#include "StoredZip.h"
#include "window/ArchiveMark.h"
#include "window/FavouriteStar.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestGameList : public WindowTest {
    Q_OBJECT
private Q_SLOTS:
    // --- Selection and pictures
    void selectionShowsTheGameAndItsSnapshot()
    {
        w().Form_Load();
        for (const auto &[romSet, colour] : {std::pair{"sfex", Qt::red}, {"sfexp", Qt::blue}}) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(colour);
            QDir().mkpath(f->programFile(u"snap"_s));
            QVERIFY(image.save(f->programFile(u"snap/%1.jpg"_s.arg(QLatin1String(romSet)))));
        }
        QVERIFY(writeAll(f->programFile(u"snap/sg2j.jpg"_s), "not a picture"));
        f->select(1); // shares sfex's picture, scaled to fill the box
        QCOMPARE(f->log(), u": 2 - Street Fighter EX (ASIA)"_s);
        QTRY_VERIFY(near(shown(), Qt::red));
        QCOMPARE(w().Picture1->pixmap().size(), QSize(320, 240));
        f->select(4); // none: the logo
        QVERIFY(near(shown(), logo()));
        f->select(2);
        QTRY_VERIFY(near(shown(), Qt::blue));
        // No picture in the file: the logo, quietly; sfex's picture comes
        // after its game has been left, and is dropped.
        f->select(1);
        f->select(6);
        QCOMPARE(f->log(), u": 7 - Star Gladiator 2 (JP)"_s);
        QTRY_VERIFY(!w().gameList().pictureLoading());
        QVERIFY(near(shown(), logo()));
        f->select(-1);
        QCOMPARE(f->log(), u": 0 - "_s);
        QVERIFY(near(shown(), logo()));
        QVERIFY(f->desktop.calls.filter(u"showMessage"_s).isEmpty());
    }

    // Hidden rows keep every game at its place: Play sends the table's number.
    void theSearchAndTheFilterHideGamesButNoNumberChanges()
    {
        const QString roms = f->programPath + u"/roms"_s;
        QVERIFY(writeAll(roms + u"/sfexp.zip"_s, "PK"));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto day = [&](int ago) { return now.addDays(-ago).toString(Qt::ISODate).toUtf8(); };
        QVERIFY(writeAll(f->files().history, "[Game5]\nPlayed=1\nSeconds=60\nLast=" + day(29) +
                                                 "\nFavourite=1\n"
                                                 "[Game6]\nPlayed=1\nSeconds=60\nLast=" +
                                                 day(31) + "\n"));
        loadWith("[General]\nRomPath=" + roms.toUtf8() + "\n");
        QTRY_VERIFY(!w().gameList().romFolder().looks().busy());
        const auto shownRows = [this] {
            QList<int> rows;
            for (int row = 0; row < w().lstGames->count(); ++row)
                if (!w().lstGames->isRowHidden(row))
                    rows << row;
            return rows;
        };
        QCOMPARE(shownRows().size(), 26);
        w().txtSearch->setText(u"  ex PLUS "_s); // by title, in any case
        QCOMPARE(shownRows(), (QList<int>{2, 3}));
        w().txtSearch->setText(u"SFEX"_s); // by ROM set
        QCOMPARE(shownRows(), (QList<int>{0, 1, 2, 3, 4, 5}));
        const std::pair<int, QList<int>> filters[] = {{1, {2, 3}}, {2, {4}}, {3, {4}}};
        for (const auto &[filter, rows] : filters) {
            w().cboFilter->setCurrentIndex(filter);
            QCOMPARE(shownRows(), rows);
        }
        w().txtSearch->clear();
        QCOMPARE(shownRows(), (QList<int>{4})); // played 29 days ago, not 31
        // The shown game plays under its own number.
        f->select(4);
        QCOMPARE(w().currentOptions().game.position, 4);
        QVERIFY(w().lblDetails->text().startsWith(u": 5 - "_s));
        w().cboFilter->setCurrentIndex(0);
        QCOMPARE(shownRows().size(), 26);
    }

    void aRowsTipNeverCoversPlay()
    {
        w().Form_Load();
        QVERIFY(showActive());
        // The row at the list's bottom edge, pointed at above Play.
        QWidget *rows = w().lstGames->viewport();
        const QPoint at(rows->width() - 10, rows->height() - 3);
        const QModelIndex row = w().lstGames->indexAt(at);
        QVERIFY(row.isValid());
        QHelpEvent ask(QEvent::ToolTip, at, rows->mapToGlobal(at));
        QApplication::sendEvent(rows, &ask);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), row.data(Qt::ToolTipRole).toString());
        const QRect play(w().cmdPlay->mapToGlobal(QPoint()), w().cmdPlay->size());
        for (QWidget *tip : QApplication::topLevelWidgets())
            if (tip->inherits("QTipLabel") && tip->isVisible())
                QVERIFY(!tip->geometry().intersects(play));
        QToolTip::hideText();
    }

    void aLargePictureOrAFifoNeverStallsTheWindow()
    {
        w().Form_Load();
        QDir().mkpath(f->programFile(u"snap"_s));
        QImage big(6000, 6000, QImage::Format_RGB32);
        big.fill(Qt::green);
        QVERIFY(big.save(f->programFile(u"snap/sfex.jpg"_s), "JPG", 5));
#ifdef Q_OS_UNIX
        // Nothing writes to the FIFO: reading it would wait for ever, and the
        // big picture after it would never come.
        QVERIFY(putSpecialFile(u"fifo"_s, f->programFile(u"snap/sfexp.jpg"_s)));
        f->select(2);
        QVERIFY(near(shown(), logo()));
#endif
        f->select(1); // scaled while decoded, its shape kept
        QVERIFY(near(shown(), logo()));
        QTRY_VERIFY(near(shown(), Qt::green));
        QCOMPARE(w().Picture1->pixmap().size(), QSize(240, 240));
#ifdef Q_OS_UNIX
        f->select(2);
        QTRY_VERIFY(!w().gameList().pictureLoading());
        QVERIFY(near(shown(), logo()));
#endif
    }

    void gamesWhoseArchiveIsMissingAreDimmedAndSaySo()
    {
        w().Form_Load();
        const QString roms = f->programPath + u"/roms"_s;
        // An archive with no files: a zip all the same.
        const QByteArray emptyZip = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
        QVERIFY(writeAll(roms + u"/sfex.zip"_s, emptyZip));
        const auto missing = [](const QString &why) { return why.contains(u" is not in "_s); };
        // The archive's text, before the line of the game's history.
        const auto why = [this](int game) {
            const QString told = f->told(game);
            return told.left(qMax(0, told.lastIndexOf(u'\n')));
        };
        const auto dimmed = [this](int game) {
            return w().lstGames->item(game)->foreground() != QBrush();
        };
        w().txtRomDir->setText(roms); // no language: the texts are English
        QTRY_COMPARE(why(20), u"Its ROM archive tekken.zip is not in %1."_s.arg(roms));
        QVERIFY(dimmed(20) && !missing(why(1)) && !dimmed(1));
        QCOMPARE(w().lstGames->item(20)->toolTip(), why(20) + u"\nNever played"_s);
        QPalette palette = w().palette(); // a dark one, where the mark must stay readable
        palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
        palette.setColor(QPalette::Text, Qt::white);
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x50, 0x50, 0x50));
        w().setPalette(palette);
        const QListWidgetItem *item = w().lstGames->item(20);
        QCoreApplication::processEvents(); // the list's palette changes after the window's
        QVERIFY(contrastRatio(item->foreground().color(), palette.base().color()) >= 4.5);
        QVERIFY(!item->icon().isNull());
        // Archives that come and go while the window is open.
        QVERIFY(writeAll(roms + u"/tekken.zip"_s, emptyZip) &&
                QFile::remove(roms + u"/sfex.zip"_s));
        QTRY_VERIFY(!missing(why(20)) && missing(why(0)));
        w().txtRomDir->setText(roms + u"/x"_s);
        QTRY_COMPARE(why(0), u"The ROM folder %1/x cannot be read, so its archive sfex.zip "
                             "cannot be found there."_s.arg(roms));
        f->select(0); // the menu's check says the same of a folder it cannot read
        w().mnuCheckArchive->trigger();
        QVERIFY(f->log().endsWith(why(0)));
        w().txtRomDir->clear();
        QTRY_VERIFY(why(0).isEmpty() && !dimmed(0));
    }

    // A favourite wears a star; the context menu is about the game clicked;
    // the second game of a set is started by its number.
    void aGameGetsADesktopShortcutThatPlaysIt()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        w().Form_Load();
        f->select(1);
        // Ctrl+D on the list makes a favourite, which wears a gold star.
        QTest::failOnWarning(QRegularExpression(u"QPainter"_s));
        QVERIFY(showActive());
        w().lstGames->setFocus();
        QTest::keyClick(w().lstGames, Qt::Key_D, Qt::ControlModifier);
        const auto starred = [this](int game) {
            const QRect row = w().lstGames->visualItemRect(w().lstGames->item(game));
            const QImage shot = w().lstGames->viewport()->grab(row).toImage();
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    if (shot.pixel(x, y) == qRgb(0xff, 0xc1, 0x07))
                        return true;
            return false;
        };
        QVERIFY(starred(1) && !starred(0));
        f->select(5);
        // The menu on a game: what it offers, a mark on what is on, and its
        // action number trigger taken.
        const auto menuOn = [this](int game, int trigger) {
            QString offered;
            QTimer::singleShot(0, this, [&] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                QVERIFY(menu);
                for (QAction *action : menu->actions())
                    offered += action->text() + (action->isChecked() ? u"*/"_s : u"/"_s);
                if (trigger >= 0)
                    menu->actions().at(trigger)->trigger();
                menu->close();
            });
            const QPoint at = w().lstGames->visualItemRect(w().lstGames->item(game)).center();
            QContextMenuEvent click(QContextMenuEvent::Mouse, at, w().lstGames->mapToGlobal(at));
            QApplication::sendEvent(w().lstGames->viewport(), &click);
            QCoreApplication::processEvents(); // without a menu the check runs here
            return offered;
        };
        // Play first, then a separator (no language here gives Play no text).
        const QString offered = u"//Favourite%1/Create a desktop shortcut/Check archive/"_s;
        QCOMPARE(menuOn(0, -1), offered.arg(QString()));
        QCOMPARE(menuOn(1, 3), offered.arg(u"*"_s));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(w().lstGames->currentRow(), 1);
#ifdef Q_OS_WIN
        // A shell link in the Start menu's programs: its header, then its target.
        const QString path = gameShortcutPath(u"2"_s);
        const QByteArray link = readAll(path);
        const QString arguments = u"--play 2"_s;
        QVERIFY(link.startsWith(QByteArray("L\0\0\0", 4)) &&
                link.contains(QByteArray(reinterpret_cast<const char *>(arguments.utf16()),
                                         arguments.size() * 2)));
#else
        const QString path =
            data.filePath(u"applications/example.rivonel.Rivonel.play_2.desktop"_s);
        QVERIFY(readAll(path).contains(" --play 2\n")); // the entry itself: below
#endif
        QVERIFY(f->log().endsWith(u"Street Fighter EX (ASIA) was written to %1."_s.arg(path)));
        QSignalSpy played(&w().gameList(), &GameList::playRequested);
        menuOn(2, 0);
        QCOMPARE(played.count(), 1);
        QCOMPARE(w().gameList().selected(), 2);
    }

    // Each archive's state shows in the list, the menu's report lists its
    // files, and the next start knows them before it reads any.
    void archivesAreCheckedReportedAndRemembered()
    {
        w().Form_Load();
        const QString roms = f->programPath + u"/roms"_s;
        const QByteArray zip = zincsim::makeStoredZip({{u"sfex.bin"_s, "rom"}});
        QVERIFY(writeAll(roms + u"/sfex.zip"_s, zip) &&
                writeAll(roms + u"/tgmj.zip"_s, zip.left(20)) &&
                writeAll(roms + u"/sg2j.zip"_s, "plain text"));
        const auto item = [this](int game) { return w().lstGames->item(game); };
        const LanguageTextTable english;
        const QString ready = english.text(textKey::archiveReady).arg(u"sfex.zip"_s);
        w().txtRomDir->setText(roms);
        QTRY_COMPARE(item(0)->toolTip(), ready + u"\nNever played"_s);
        QCOMPARE(f->told(13), english.text(textKey::archiveDamaged)
                                      .arg(u"tgmj.zip"_s, english.text(textKey::faultTruncated)) +
                                  u"\nNever played"_s);
        for (const int marked : {13, 6}) // damaged, not a zip
            QVERIFY(!item(0)->icon().isNull() && !item(marked)->icon().isNull() &&
                    item(marked)->foreground() != item(0)->foreground());

        f->select(1);
        w().mnuCheckArchive->trigger();
        QTRY_VERIFY(f->log().endsWith(english.text(textKey::archiveFilesIn)
                                          .arg(f->desktop.platform.join(roms, u"sfex.zip"_s)) +
                                      u"\r\nsfex.bin: 3 bytes, CRC-32 79520FA1\r\n"_s + ready));
        // An archive rewritten where it stands is checked again.
        QVERIFY(writeAll(roms + u"/sfex.zip"_s, zip.left(20)));
        QTRY_VERIFY(item(0)->toolTip().startsWith(
            english.text(textKey::archiveDamaged)
                .arg(u"sfex.zip"_s, english.text(textKey::faultTruncated))));

        f->window = std::make_unique<frmPrincipal>(f->desktop, f->locations);
        w().Form_Load();
        QCOMPARE(w().gameList().romFolder().knowledge().state(u"tgmj"_s), ArchiveState::Damaged);
    }

    // A file's name from an archive shows in the details as it stands, cut,
    // and whole in their tip; a typed folder shows in the notice as typed.
    void theDetailsShowANameFromOutsideAsText()
    {
        w().Form_Load();
        const QString roms = f->programPath + u"/roms"_s;
        const QString name = u"<b>"_s + QString(300, u'x') + u"</b>.bin"_s;
        QByteArray zip = zincsim::makeStoredZip({{name, "first file"}});
        zip[zip.indexOf("first")] = 'F'; // its CRC-32 no longer matches
        QVERIFY(writeAll(roms + u"/sfex.zip"_s, zip));
        w().txtRomDir->setText(roms);
        f->select(0);
        QLabel *details = w().lblDetails;
        QTRY_VERIFY(details->toolTip().contains(name));
        QVERIFY(details->text().contains(u"<b>xx"_s) && details->text().contains(u"x…x"_s) &&
                !details->text().contains(name));
        // A typed folder in the notice above the list.
        w().txtZincDir->setText(u"<b>gone</b>"_s);
        QLabel *notice = w().lblNotice;
        QTRY_VERIFY(notice->text().startsWith(u"There is no folder <b>gone</b>."_s));
        // A screen reader hears it as the window shows it.
        QVERIFY(QAccessible::queryAccessibleInterface(notice)
                    ->text(QAccessible::Name)
                    .startsWith(u"There is no folder <b>gone</b>."_s));
    }

    // A launcher the desktop accepts, whatever the program's path holds.
    void theShortcutIsAValidDesktopEntry()
    {
        const QString program = u"/opt/my games/Ri\"vo$nel`%\\x"_s;
        const QString entry =
            QString::fromUtf8(desktopEntryText(program, u"Game 5%"_s, u"sfex2"_s));
        QVERIFY(entry.contains(
            u"\nExec=\"/opt/my games/Ri\\\\\"vo\\\\$nel\\\\`%%\\\\\\\\x\" --play sfex2\n"_s));
#ifdef RIVONEL_DESKTOP_FILE_VALIDATE
        QTemporaryDir folder;
        const QString path = folder.filePath(u"example.rivonel.Rivonel.play_sfex2.desktop"_s);
        QVERIFY(writeAll(path, entry.toUtf8()));
        QProcess validate;
        validate.start(QStringLiteral(RIVONEL_DESKTOP_FILE_VALIDATE), {path});
        QVERIFY(validate.waitForFinished());
        QVERIFY2(validate.exitCode() == 0 && validate.readAll().isEmpty(), qPrintable(entry));
#endif
    }
};

QTEST_MAIN(TestGameList)
#include "test_gamelist.moc"
