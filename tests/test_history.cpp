// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/ArchiveChecks.h"
#include "core/history/GameRow.h"
#include "core/history/PlayHistory.h"
#include "MarkerTexts.h"
#include "platform/GameShortcut.h"
#include "WindowFixture.h"

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What is kept comes back; what makes no sense empties only its own game.
    void theHistoryFileKeepsWhatMakesSense_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("times"); // of game 3, next to game 1's sound entry
        QTest::newRow("sound") << "[Game3]\nPlayed=2\nSeconds=90\nLast=2026-12-01T20:15:00Z\n"_ba
                               << 2;
        QTest::newRow("negative") << "[Game3]\nPlayed=-2\nLast=2026-12-01T20:15:00Z\n"_ba << 0;
        QTest::newRow("no date") << "[Game3]\nPlayed=2\nSeconds=90\n"_ba << 0;
        QTest::newRow("no count") << "[Game3]\nPlayed=2x\nSeconds=90\n"_ba << 0;
        QTest::newRow("bad date") << "[Game3]\nPlayed=2\nLast=yesterday\n"_ba << 0;
        QTest::newRow("binary") << QByteArray("\0\xff[Game3\n\x01=", 12) << 0;
    }
    void theHistoryFileKeepsWhatMakesSense()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, times);
        const PlayHistory read = PlayHistory::fromBytes(
            bytes + "\n[Game1]\nPlayed=1\nSeconds=5\nLast=2026-11-02T08:00:00Z\nFavourite=1\n");
        QCOMPARE(read.at(2).times, times);
        if (times == 0) // dropped whole
            QCOMPARE(read.at(2), GamePlays());
        QCOMPARE(read.at(0),
                 (GamePlays{1, 5, QDateTime(QDate(2026, 11, 2), QTime(8, 0), Qt::UTC), true}));
        // Written and read again, it is the same; a run adds to it.
        PlayHistory again = PlayHistory::fromBytes(read.toBytes());
        QCOMPARE(again.at(0), read.at(0));
        QCOMPARE(again.at(2), read.at(2));
        const QDateTime start(QDate(2026, 12, 1), QTime(20, 0), Qt::UTC);
        // A run counts from its start: one cut short keeps its play.
        again.startRun(0, start);
        QCOMPARE(PlayHistory::fromBytes(again.toBytes()).at(0), (GamePlays{2, 5, start, true}));
        again.endRun(0, start, start.addSecs(600));
        QCOMPARE(again.at(0), (GamePlays{2, 605, start.addSecs(600), true}));
    }

    void theHistoryIsToldInTheLanguageAndTheLocale()
    {
        const QDateTime last(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC);
        const QLocale locale(QLocale::German, QLocale::Germany);
        const QString day = locale.toString(last.toLocalTime().date(), QLocale::LongFormat);
        const auto told = [&](int times, qint64 seconds) {
            return playHistoryText({times, seconds, last, false}, LanguageTextTable::english(),
                                   locale);
        };
        QVERIFY(day.contains(u"Dezember 2026"_s));
        QCOMPARE(told(1, 119), u"Played once, 1 min in all, last on "_s + day);
        QCOMPARE(told(12, 11550), u"Played 12 times, 3 h 12 min in all, last on "_s + day);
    }

    // What the list, a screen reader and --list say of a game, from the
    // folder's look, the checks of that folder and the history.
    void aGameRowSaysWhatTheFolderTheChecksAndTheHistorySay_data()
    {
        QTest::addColumn<int>("status"); // RomFolderLook::Status
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("checkedFolder");
        QTest::addColumn<bool>("favourite");
        QTest::addColumn<QString>("said"); // absent|state|present|description
        const QString roms = u"/r"_s;
        using S = RomFolderLook::Status;
        QTest::newRow("no folder") << int(S::NotSet) << false << roms << false << u"0|0|?|<108>"_s;
        QTest::newRow("there and checked")
            << int(S::Listed) << true << roms << false << u"0|5|1|<122 sfex.zip>\n<108>"_s;
        QTest::newRow("checked in another folder") << int(S::Listed) << true << u"/other"_s << true
                                                   << u"0|0|1|<131 sfex.zip>\n<113>\n<108>"_s;
        QTest::newRow("not there")
            << int(S::Listed) << false << roms << false << u"1|1|0|<79 sfex.zip /r>\n<108>"_s;
        QTest::newRow("folder unreadable") << int(S::Unreadable) << false << roms << true
                                           << u"1|1|?|<80 /r sfex.zip>\n<113>\n<108>"_s;
    }
    void aGameRowSaysWhatTheFolderTheChecksAndTheHistorySay()
    {
        QFETCH(int, status);
        QFETCH(bool, present);
        QFETCH(QString, checkedFolder);
        QFETCH(bool, favourite);
        RomFolderLook roms{RomFolderLook::Status(status), u"/r"_s, {}};
        roms.present[0] = present;
        ArchiveKnowledge known;
        known.folder = checkedFolder;
        known.readings[u"sfex"_s].verdict = status == int(RomFolderLook::Status::Listed) && present
                                                ? ArchiveReading::Verdict::Ready
                                                : ArchiveReading::Verdict::Missing;
        PlayHistory history;
        history.setFavourite(0, favourite);
        const GameRow row = gameRow(0, roms, known, history, markerTexts());
        const QString presence = row.archivePresent ? QString::number(*row.archivePresent) : u"?"_s;
        QTEST(u"%1|%2|%3|%4"_s.arg(int(row.absent))
                  .arg(int(row.state))
                  .arg(presence, row.description),
              "said");
        QCOMPARE(row.favourite, favourite);
        QCOMPARE(gameRow(gameCount, roms, known, history, markerTexts()).description, QString());
        // Only an archive seen in the folder counts as available.
        QCOMPARE(shownInList(0, row, GameFilter::Available, {}, QDateTime::currentDateTimeUtc()),
                 row.archivePresent.value_or(false));
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
