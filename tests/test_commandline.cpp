// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/CommandLine.h"
#include "core/games/ArchiveChecks.h"
#include "core/history/PlayHistory.h"
#include "core/system/ProgramFiles.h"
#include "WindowFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

using Action = CommandLine::Action;

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:

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
        QTest::newRow("the version wins") << u"--play 3 -v"_s << u"2 -1"_s;
        QTest::newRow("big screen") << u"--big-screen --play 2"_s << u"4 1 big"_s;
        for (const char *bad : {"--play 0", "--play=27", "--play pong", "--play", "--json",
                                "--play=1 --play=2", "--list --play=1", "sfex", "--style=x -x",
                                "--list --big-screen"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << u"5 -1"_s;
    }

    void theCommandLineIsReadBeforeAnyWindow()
    {
        QFETCH(QString, arguments);
        const CommandLine command = parseCommandLine(arguments.split(u' ', Qt::SkipEmptyParts));
        QStringList got{QString::number(static_cast<int>(command.action)),
                        QString::number(command.position)};
        for (int i : command.qtArguments)
            got << QString::number(i);
        if (command.bigScreen && command.action != Action::Bad)
            got << u"big"_s;
        QTEST(got.join(u' '), "read");
        QCOMPARE(command.error.isEmpty(), command.action != Action::Bad);
    }

    // What was given is told back as text, on the error's one line.
    void aMistakeTellsWhatWasGivenAsText()
    {
        QVERIFY(parseCommandLine({u"--play"_s, u"x%1\ny"_s})
                    .error.startsWith(u"unknown game 'x%1␊y': "_s));
        QCOMPARE(parseCommandLine({u"a\x1b[2J"_s}).error, u"unknown argument 'a␛[2J'"_s);
    }

    // The games in the table's order, in text and in JSON.
    void theListShowsEveryGameWithItsArchiveAndHistory()
    {
        RomFolderLook roms{RomFolderLook::Status::Listed, u"/roms"_s, {}};
        roms.present[1] = true;
        PlayHistory history;
        history.startRun(1, QDateTime::currentDateTimeUtc());
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
        roms.status = RomFolderLook::Status::Unreadable;
        QVERIFY(
            QJsonDocument::fromJson(gameListJson(roms, history))[1][u"archivePresent"_s].isNull());
    }

    // --list reads the ROM folder the options name and checks what changed
    // there, keeping nothing of it.
    void theListChecksTheArchivesOfTheSavedFolder()
    {
        QTemporaryDir dir;
        const PlatformConventions platform = PlatformConventions::native();
        const ProgramFiles files =
            ProgramFiles::of(ProgramLocations::portable(dir.path(), platform), platform);
        QVERIFY(writeAll(files.options, "[General]\nRomPath=" + dir.path().toUtf8() + '\n') &&
                writeAll(dir.filePath(u"sfex.zip"_s), "zip"));
        const auto damaged = [](QFile &, const std::atomic_bool &cancelled) {
            ArchiveReading reading;
            reading.verdict = cancelled ? reading.verdict : ArchiveReading::Verdict::Damaged;
            return reading;
        };
        QVERIFY(gameListing(files, platform, false, damaged)
                    .split('\n')
                    .at(1)
                    .simplified()
                    .endsWith("yes 0 no damaged -"));
        QVERIFY(!QFile::exists(files.archiveChecks));

        // Each game's own options, as its section holds them.
        QVERIFY(writeAll(files.gameOptions, "[game2]\nrenderer=2\nFullScreen=1\nRomPath=/x\n"));
        const QJsonArray games =
            QJsonDocument::fromJson(gameListing(files, platform, true, damaged)).array();
        QCOMPARE(games[1][u"ownOptions"_s].toObject(),
                 (QJsonObject{{u"Renderer"_s, u"2"_s}, {u"FullScreen"_s, u"1"_s}}));
        QCOMPARE(games[0][u"ownOptions"_s].toObject(), QJsonObject());
        // Each game's state is its set's, shared by games 1 and 2.
        QCOMPARE(games[1][u"archiveState"_s].toString(), u"damaged"_s);
        const QList<QByteArray> rows = gameListing(files, platform, false, damaged).split('\n');
        QVERIFY(rows.at(2).endsWith("  Renderer,FullScreen") && rows.at(0).endsWith("Own options"));
    }
};

QTEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
