#include "app/ProgramInfo.h"
#include "games/GameTable.h"
#include "games/RomSetSlots.h"
#include "i18n/LanguageTextTable.h"
#include "platform/PlatformConventions.h"
#include "platform/SoundDevices.h"

#include <QSet>
#include <QTest>

using namespace rivonel;

class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Title
    void titleIsBuiltFromTheBuildVersion()
    {
        const ProgramVersion v = programVersion();
        QCOMPARE(QString::number(v.major) + u'.' + QString::number(v.minor) + u'.' +
                     QString::number(v.revision),
                 QStringLiteral("0.0.3"));
        QCOMPARE(windowTitle(v), QStringLiteral("Rivonel 0.0.3 for Zinc 0.9"));
    }

    void titleWritesPlainDecimalNumbers()
    {
        QCOMPARE(windowTitle({1, 12, 0}), QStringLiteral("Rivonel 1.12.0 for Zinc 0.9"));
        QCOMPARE(windowTitle({10, 0, 7}), QStringLiteral("Rivonel 10.0.7 for Zinc 0.9"));
    }

    void startupLogHasNoLineEndAfterTheAddress()
    {
        QCOMPARE(startupLog(QStringLiteral("T"), QStringLiteral("https://a.example")),
                 QStringLiteral("T\r\nhttps://a.example"));
        QVERIFY(!webAddress().isEmpty());
    }

    // --- Game table
    void gameTableFollowsTheEmulatorNumbering()
    {
        const auto &games = gameTable();
        QCOMPARE(games.front().title, u"Street Fighter EX (JP)");
        QCOMPARE(games.back().title, u"Kosodate Quiz My Angel 3 (JP) Ver. A");
        QCOMPARE(games[8].title, u"Justice Gakuen (JP)");
        QCOMPARE(games[8].romSet, u"rvschool");
        QCOMPARE(gameNumber(8), 9);
        QCOMPARE(games[7].romSet, u"rvschool");
        QCOMPARE(gameNumber(-1), 0);
        QCOMPARE(games[15].romSet, u"beastorizer");
    }

    void exactlyFivePairsShareARomSet()
    {
        const auto &games = gameTable();
        QList<int> shared;
        for (int i = 1; i < gameCount; ++i)
            if (games[static_cast<std::size_t>(i)].romSet ==
                games[static_cast<std::size_t>(i - 1)].romSet)
                shared << i - 1;
        QCOMPARE(shared, (QList<int>{0, 2, 7, 9, 18}));

        QSet<QString> names;
        for (const GameEntry &game : games) {
            QVERIFY(!game.romSet.isEmpty());
            QCOMPARE(game.romSet.toString(), game.romSet.toString().toLower());
            names.insert(game.romSet.toString());
        }
        QCOMPARE(names.size(), gameCount - 5);
    }

    // --- ROM set slots
    void romSetSlotsFailOutsideTheirRange()
    {
        RomSetSlots slots;
        QVERIFY(slots.set(0, QStringLiteral("sfex")));
        QVERIFY(slots.set(50, QStringLiteral("last")));
        QCOMPARE(slots.at(0), std::optional<QString>(QStringLiteral("sfex")));
        QCOMPARE(slots.at(50), std::optional<QString>(QStringLiteral("last")));
        QVERIFY(slots.at(26).has_value());
        QVERIFY(slots.at(26)->isEmpty());
        QVERIFY(!slots.at(-1).has_value());
        QVERIFY(!slots.at(51).has_value());
        QVERIFY(!slots.set(-1, QStringLiteral("x")));
        QVERIFY(!slots.set(51, QStringLiteral("x")));
    }

    // --- Language texts
    void languageKeysHaveTwoDigits()
    {
        QCOMPARE(LanguageTextTable::keyName(1), QStringLiteral("String01"));
        QCOMPARE(LanguageTextTable::keyName(51), QStringLiteral("String51"));
        LanguageTextTable texts;
        texts.set(0, QStringLiteral("ignored"));
        texts.set(52, QStringLiteral("ignored"));
        QCOMPARE(texts.text(0), QString());
        QCOMPARE(texts.text(52), QString());
    }

    void languageListsKeepTheirLengthWithMissingTexts()
    {
        const LanguageTextTable empty;
        QCOMPARE(scanLineItems(empty), QStringList(3, QString()));
        QCOMPARE(textureQualityItems(empty),
                 (QStringList{QString(), QStringLiteral("4 bit"), QStringLiteral("5 bit"),
                              QStringLiteral("8 bit")}));
        const LanguageTextTable design = LanguageTextTable::designTimeListTexts();
        for (const QString &item : scanLineItems(design) + textureQualityItems(design))
            QVERIFY(!item.isEmpty());
    }

    // --- Platform conventions
    void pathsAreJoinedWithOneSeparatorAndNoCleanup()
    {
        const auto windows = PlatformConventions::windows();
        QCOMPARE(windows.join(QStringLiteral("C:\\emu"), windows.emulatorFileName),
                 QStringLiteral("C:\\emu\\zinc.exe"));
        QCOMPARE(windows.join(QStringLiteral("C:\\"), QStringLiteral("zinc.exe")),
                 QStringLiteral("C:\\\\zinc.exe"));
        QCOMPARE(windows.lineEnd, QStringLiteral("\r\n"));
        QCOMPARE(windows.launchScriptName, QStringLiteral("roda.bat"));

        const auto posix = PlatformConventions::posix();
        QCOMPARE(posix.join(QStringLiteral("/opt/zinc"), posix.emulatorFileName),
                 QStringLiteral("/opt/zinc/zinc"));
        QCOMPARE(posix.join(QString(), QStringLiteral("log.txt")), QStringLiteral("/log.txt"));
        QCOMPARE(posix.lineEnd, QStringLiteral("\n"));
        QCOMPARE(posix.launchScriptName, QStringLiteral("roda.sh"));
    }

    // --- Sound devices
    void playbackDevicesAreCounted_data()
    {
        QTest::addColumn<QByteArray>("pcm");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << QByteArray() << 0;
        QTest::newRow("capture only")
            << QByteArray("00-00: USB Mic : USB Audio : capture 1\n") << 0;
        QTest::newRow("two cards")
            << QByteArray("00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1\n"
                          "00-01: ALC892 Digital : ALC892 Digital : playback 1\n"
                          "00-02: ALC892 Alt Analog : ALC892 Alt Analog : capture 1\n"
                          "01-03: HDMI 0 : HDMI 0 : playback 1\n")
            << 3;
        QTest::newRow("name says playback")
            << QByteArray("00-00: playback : playback device : capture 1\n") << 0;
    }

    void playbackDevicesAreCounted()
    {
        QFETCH(QByteArray, pcm);
        QFETCH(int, count);
        QCOMPARE(countPlaybackDevices(pcm), count);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
