// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/ArchiveChecks.h"
#include "core/games/ArchiveReport.h"
#include "platform/ZipArchiveCheck.h"
#include "StoredZip.h"
#include "WindowFixture.h"

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

using Verdict = ArchiveReading::Verdict;
using Fault = ArchiveReading::Fault;

const QByteArray sample =
    zincsim::makeStoredZip({{u"a.bin"_s, "first file"}, {u"b.bin"_s, QByteArray(5000, 'b')}});

// The archive with one byte of its first file changed.
QByteArray flipped()
{
    QByteArray bytes = sample;
    bytes[bytes.indexOf("first")] = 'F';
    return bytes;
}

// The archive with its second file declaring 2 GiB in the central directory.
QByteArray bomb()
{
    QByteArray bytes = sample;
    const qsizetype central = bytes.indexOf("PK\x01\x02", bytes.indexOf("PK\x01\x02") + 1);
    for (int i = 0; i < 4; ++i)
        bytes[central + 24 + i] = "\xff\xff\xff\x7f"[i];
    return bytes;
}

// The archive with its second file's header field (at that offset in its
// local header and in its central one) set to value.
QByteArray edited(int local, int central, quint64 value, int width)
{
    QByteArray bytes = sample;
    const qsizetype second = bytes.indexOf("PK\x03\x04", 1);
    const qsizetype entry = bytes.indexOf("PK\x01\x02", bytes.indexOf("PK\x01\x02") + 1);
    for (int i = 0; i < width; ++i)
        bytes[second + local + i] = bytes[entry + central + i] = char(value >> (8 * i));
    return bytes;
}

} // namespace

class TestGames : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    const PlatformConventions platform = PlatformConventions::native();
    QString archive() const { return dir.filePath(u"g.zip"_s); }
    ArchiveKnowledge check(const ArchiveKnowledge &known, int *reads = nullptr) const
    {
        const std::atomic_bool running = false;
        return checkArchives(known, platform, dir.path(), {u"g"_s}, readZipArchive, running, reads);
    }

private Q_SLOTS:
    void cleanup() { QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(dir.path())); }

    void eachStateFromItsArchive_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("badEntry");
        // kind "file" holds the bytes; "fifo" and "none" stand at the archive's name instead.
        const auto row = [](const char *name, const QByteArray &bytes, Verdict verdict,
                            Fault fault = Fault::None, const QString &badEntry = {},
                            const QString &kind = u"file"_s) {
            QTest::newRow(name) << kind << bytes << verdict << fault << badEntry;
        };
        row("whole", sample, Verdict::Ready);
        row("CRC flipped", flipped(), Verdict::Damaged, Fault::CrcMismatch, u"a.bin"_s);
        row("cut short", sample.left(sample.size() / 2), Verdict::Damaged, Fault::Truncated);
        row("zip bomb", bomb(), Verdict::Damaged, Fault::TooLarge, u"b.bin"_s);
        row("unknown method", edited(8, 10, 0x50, 2), Verdict::Damaged, Fault::Unreadable,
            u"b.bin"_s);
        row("ends inside a file", edited(18, 20, 90000 * 0x100000001, 8), Verdict::Damaged,
            Fault::Truncated, u"b.bin"_s);
        row("not a zip", "plain text\n", Verdict::NotAZip);
        row("empty", {}, Verdict::NotAZip);
        row("FIFO", {}, Verdict::NotAZip, Fault::None, {}, u"fifo"_s);
        row("none", {}, Verdict::Missing, Fault::None, {}, u"none"_s);
    }
    void eachStateFromItsArchive()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        if (kind == u"file")
            QVERIFY(writeAll(archive(), bytes));
        else if (kind != u"none")
            QVERIFY(putSpecialFile(kind, archive()));
        const ArchiveReading reading = check({}).readings.value(u"g"_s);
        QTEST(reading.verdict, "verdict");
        QTEST(reading.fault, "fault");
        QTEST(reading.badEntry, "badEntry");
        if (reading.verdict == Verdict::Ready)
            QCOMPARE(reading.entries, (QList<ArchiveEntry>{{u"a.bin"_s, 10, 0x00effe3a},
                                                           {u"b.bin"_s, 5000, 0xd09108fc}}));
    }

    // An unchanged archive is not read again, across starts too; what a run
    // learned holds until the archive changes, even to one of the same size.
    void knowledgeFollowsTheArchive()
    {
        QVERIFY(writeAll(archive(), sample));
        int reads = 0;
        ArchiveKnowledge known = check({}, &reads);
        known.learned.insert(u"g"_s, {known.readings.value(u"g"_s).identity, u"c.bin"_s});
        known = ArchiveKnowledge::fromBytes(known.toBytes());
        known = check(known, &reads);
        QCOMPARE(reads, 1);
        QCOMPARE(known.state(u"g"_s), ArchiveState::Incomplete);
        QCOMPARE(known.missingFile(u"g"_s), u"c.bin"_s);

        QFile file(archive());
        QVERIFY(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
        file.close();
        known = check(known, &reads);
        QCOMPARE(reads, 2);
        QCOMPARE(known.state(u"g"_s), ArchiveState::Ready);
        QVERIFY(known.learned.isEmpty());

        // A damaged cache is no cache.
        QByteArray bytes = known.toBytes();
        bytes.replace("\"ready\"", "\"fine\"");
        QVERIFY(ArchiveKnowledge::fromBytes(bytes).readings.isEmpty());
    }

    void theGamesWhoseArchiveAFolderHoldsAreKnown()
    {
        QTemporaryDir dir;
        for (const char *name : {"sfex.zip", "TEKKEN.ZIP", "tgmj.zip.old"})
            QVERIFY(QFile(dir.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
        // A folder of that name is no archive.
        QVERIFY(QDir(dir.path()).mkdir(u"sg2j.zip"_s));
        const RomFolderLook look = lookForRomArchives(dir.path(), Qt::CaseSensitive);
        QCOMPARE(look.status, RomFolderLook::Status::Listed);
        const auto &exact = look.present;
        const auto anyCase = lookForRomArchives(dir.path(), Qt::CaseInsensitive).present;
        QVERIFY(exact[0] && exact[1] && !exact[2] && !exact[13] && !exact[20] && anyCase[20] &&
                !anyCase[6]);
        QCOMPARE(std::count(exact.begin(), exact.end(), true), 2);
        QCOMPARE(std::count(anyCase.begin(), anyCase.end(), true), 3);
        QCOMPARE(lookForRomArchives(QString(), Qt::CaseSensitive).status,
                 RomFolderLook::Status::NotSet);
        QCOMPARE(lookForRomArchives(dir.filePath(u"nowhere"_s), Qt::CaseSensitive).status,
                 RomFolderLook::Status::Unreadable);
        // Once cancelled it answers nothing.
        const std::atomic_bool cancelled = true;
        QCOMPARE(lookForRomArchives(dir.path(), Qt::CaseSensitive, &cancelled).status,
                 RomFolderLook::Status::NotSet);
    }
    // A report stays short however many files the archive holds, and no
    // file's name can forge a line of its own.
    void theReportListsAFewFilesAndSaysHowManyMore()
    {
        QList<zincsim::ZipEntry> files{{u"a\nThe game has ended.\nb"_s, "x"}};
        for (int i = 1; i < 5000; ++i)
            files.append({u"f%1.bin"_s.arg(i), {}});
        QVERIFY(writeAll(archive(), zincsim::makeStoredZip(files)));
        const QStringList lines =
            archiveReport(check({}), platform, dir.path(), u"g"_s, LanguageTextTable())
                .split(u"\r\n"_s);
        QCOMPARE(lines.size(), 1 + 50 + 2);
        QVERIFY(lines.at(1).startsWith(u"a␊The game has ended.␊b: 1 bytes"_s));
        QCOMPARE(lines.at(50), u"f49.bin: 0 bytes, CRC-32 00000000"_s);
        QCOMPARE(lines.at(51), u"…and 4950 more files."_s);
        QVERIFY(lines.last().endsWith(u"g.zip is ready: every file in it reads back whole."_s));
    }
};

QTEST_GUILESS_MAIN(TestGames)
#include "test_games.moc"
