#include "core/games/ArchiveChecks.h"
#include "core/history/PlayHistory.h"
#include "core/system/CommandLine.h"
#include "platform/GameShortcut.h"
#include "WindowFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

using Action = CommandLine::Action;

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
        QCOMPARE(read.at(0),
                 (GamePlays{1, 5, QDateTime(QDate(2026, 11, 2), QTime(8, 0), Qt::UTC), true}));
        // Written and read again, it is the same; a run adds to it.
        PlayHistory again = PlayHistory::fromBytes(read.toBytes());
        QCOMPARE(again.at(0), read.at(0));
        QCOMPARE(again.at(2), read.at(2));
        const QDateTime start(QDate(2026, 12, 1), QTime(20, 0), Qt::UTC);
        again.addRun(0, start, start.addSecs(600));
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

    void theCommandLineIsReadBeforeAnyWindow_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("read"); // the action, the game's position, Qt's arguments
        QTest::newRow("none") << u""_s << u"0 -1"_s;
        QTest::newRow("set") << u"--play SFEX2"_s << u"4 4"_s;
        QTest::newRow("shared set") << u"--play=sfex"_s << u"4 0"_s;
        QTest::newRow("Qt's") << u"-platform xcb --play 26 --reverse"_s << u"4 25 0 1 4"_s;
        QTest::newRow("list") << u"--json --list"_s << u"3 -1"_s;
        QTest::newRow("help wins") << u"-x --help"_s << u"1 -1"_s;
        for (const char *bad : {"--play 0", "--play=27", "--play pong", "--play", "--json",
                                "--play=1 --play=2", "--list --play=1", "sfex", "--style=x -x"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << u"5 -1"_s;
    }
    void theCommandLineIsReadBeforeAnyWindow()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, read);
        const CommandLine command = parseCommandLine(arguments.split(u' ', Qt::SkipEmptyParts));
        QStringList got{QString::number(static_cast<int>(command.action)),
                        QString::number(command.position)};
        for (int i : command.qtArguments)
            got << QString::number(i);
        QCOMPARE(got.join(u' '), read);
        QCOMPARE(command.error.isEmpty(), command.action != Action::Bad);
    }

    // The games in the table's order, in text and in JSON.
    void theListShowsEveryGameWithItsArchiveAndHistory()
    {
        RomFolderLook roms{RomFolderLook::Status::Listed, u"/roms"_s, {}};
        roms.present[1] = true;
        PlayHistory history;
        history.addRun(1, QDateTime::currentDateTimeUtc(), QDateTime::currentDateTimeUtc());
        history.setFavourite(25, true);
        const QJsonArray games = QJsonDocument::fromJson(gameListJson(roms, history)).array();
        const QStringList lines = gameListText(roms, history).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(games.size() == gameCount && lines.size() == gameCount + 1);
        const auto json = [&](int position) {
            QStringList values;
            for (const char16_t *key :
                 {u"number", u"romSet", u"title", u"archivePresent", u"timesPlayed", u"favourite"})
                values << games[position][QStringView(key)].toVariant().toString();
            return values.join(u' ');
        };
        QCOMPARE(lines[1].simplified() + u'|' + lines[2].simplified() + u'|' +
                     lines[26].simplified(),
                 u"1 sfex Street Fighter EX (JP) no 0 no|2 sfex Street Fighter EX (ASIA) yes 1 no|"
                 "26 myangel3 Kosodate Quiz My Angel 3 (JP) Ver. A no 0 yes"_s);
        QCOMPARE(json(1) + u'|' + json(25),
                 u"2 sfex Street Fighter EX (ASIA) true 1 false|"
                 "26 myangel3 Kosodate Quiz My Angel 3 (JP) Ver. A false 0 true"_s);
        // With the archives' checks, each game's state: its set's, shared by games 1 and 2.
        ArchiveKnowledge archives;
        archives.readings[u"sfex"_s].verdict = ArchiveReading::Verdict::Damaged;
        QVERIFY(
            gameListText(roms, history, &archives).section(u'\n', 2, 2).endsWith(u"  damaged"_s));
        QCOMPARE(
            QJsonDocument::fromJson(gameListJson(roms, history, &archives))[0][u"archiveState"_s]
                .toString(),
            u"damaged"_s);
        roms.status = RomFolderLook::Status::Unreadable;
        QVERIFY(
            QJsonDocument::fromJson(gameListJson(roms, history))[1][u"archivePresent"_s].isNull());
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

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
