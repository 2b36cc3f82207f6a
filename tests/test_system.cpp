// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/ProgramLocations.h"
#include "core/system/SerialWorker.h"
#include "core/system/ShownName.h"
#include "core/system/WholeFile.h"
#include "WindowFixture.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

class TestSystem : public QObject {
    Q_OBJECT

private Q_SLOTS:

    void theLayoutNotTheRightToWriteMakesACopyInstalled_data()
    {
        // What is made below a root of its own (folders end with '/'), the
        // executable's folder first; a read-only one is made so at the end.
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("installed");
        QTest::newRow("build tree") << QStringList{u"b/"_s, u"b/language/"_s} << false << false;
        QTest::newRow("unpacked with its languages into a prefix")
            << QStringList{u"p/bin/"_s, u"p/bin/language/"_s, u"p/share/rivonel/"_s} << false
            << false;
        QTest::newRow("user-owned prefix")
            << QStringList{u".local/bin/"_s, u".local/share/rivonel/"_s} << false << true;
        QTest::newRow("/usr, for root too")
            << QStringList{u"usr/bin/"_s, u"usr/share/rivonel/"_s} << true << true;
        QTest::newRow("portable.txt in a prefix")
            << QStringList{u"x/bin/"_s, u"x/bin/portable.txt"_s, u"x/share/rivonel/"_s} << false
            << false;
        QTest::newRow("read-only portable folder")
            << QStringList{u"ro/"_s, u"ro/language/"_s} << true << false;
        QTest::newRow("lone executable") << QStringList{u"lone/"_s} << true << false;
    }

    void theLayoutNotTheRightToWriteMakesACopyInstalled()
    {
        QFETCH(QStringList, made);
        QFETCH(bool, readOnly);
        QFETCH(bool, installed);
        const QTemporaryDir programs;
        const QString root = programs.path() + u'/', bin = root + made.first().chopped(1);
        for (const QString &name : made)
            QVERIFY(name.endsWith(u'/') ? QDir().mkpath(root + name) : writeAll(root + name));
        if (readOnly)
            QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
        const UserFolders user{root + u"config"_s, root + u"state"_s, root + u"data"_s};
        const bool chosen =
            ProgramLocations::choose(bin, user, PlatformConventions::native()).installed;
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(chosen, installed);
    }

    void requestsDuringAJobMakeOneMoreAndAGoneWorkerAnswersNothing()
    {
        // Shared with the jobs' threads, which may outlive this function.
        const auto go = std::make_shared<std::atomic_bool>(false);
        const auto stopped = std::make_shared<std::atomic_bool>(false);
        QList<int> answers;
        {
            SerialWorker<int, int> worker;
            worker.setJob(
                [go, stopped](const int &n, const std::atomic_bool &cancelled) {
                    while (!*go && !cancelled)
                        QThread::msleep(1);
                    *stopped = bool(cancelled);
                    return n * 10;
                },
                [&answers](const int &n, int answer) { answers << n << answer; });
            for (int n = 1; n <= 5; ++n)
                worker.request(n);
            *go = true;
            QTRY_VERIFY(!worker.busy());
            QCOMPARE(answers, (QList<int>{1, 10, 5, 50}));
            QCOMPARE(worker.jobsStarted(), 2);
            *go = false;
            worker.request(6);
        }
        QTRY_VERIFY(*stopped);
        QTest::qWait(20);
        QCOMPARE(answers.size(), 4);
    }

    void aWriteRemovesWhatAKilledWriteOfTheSameFileLeft()
    {
        QTemporaryDir dir;
        const QStringList names{u"s.ini.rivonel-unfinished-Ab12Cd"_s,
                                u"s.ini.rivonel-unfinished-mine"_s,
                                u"t.ini.rivonel-unfinished-Ab12Cd"_s};
        for (const QString &name : names)
            QVERIFY(writeAll(dir.filePath(name), "half of"));
        QVERIFY(writeFileAnew(dir.filePath(u"s.ini"_s), "new"));
        // A user's own name and another file's leftovers stay.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"s.ini"_s, names[1], names[2]}));
    }

    void aReplacementKeepsTheFilesModeAndWhereALinkLeads()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString file = dir.filePath(u"s.ini"_s), link = dir.filePath(u"link.ini"_s);
        QVERIFY(writeAll(file, "old") && QFile::link(file, link));
        // Write for all, which a new file would not get past the usual umask.
        const auto mode =
            QFile::ReadOwner | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        QVERIFY(QFile::setPermissions(file, mode));
        QVERIFY(writeFileAnew(link, "new"));
        QCOMPARE(readAll(file), QByteArray("new"));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                 mode);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"link.ini"_s, u"s.ini"_s}));
        // Nor is anything but an ordinary file replaced, even through a link.
        for (const QString &kind : {u"directory"_s, u"fifo"_s}) {
            QVERIFY(putSpecialFile(kind, dir.filePath(kind)) && QFile::remove(link) &&
                    QFile::link(dir.filePath(kind), link));
            QVERIFY(!writeFileAnew(link, "new") && !QFileInfo(dir.filePath(kind)).isFile());
        }
#else
        QSKIP("links and modes are tested where they are Unix ones");
#endif
    }
    void aNameFromOutsideShowsAsOneLineOfText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("line breaks")
            << u"a\nThe game has ended.\r\nb\u2029c"_s << u"a␊The game has ended.␍␊b␤c"_s;
        QTest::newRow("other controls") << u"\0\x1b[2J\tx\x7f\u0085"_s << u"␀␛[2J\tx␡\uFFFD"_s;
        QTest::newRow("a right-to-left override") << u"cod\u202Egnp.exe"_s << u"cod\uFFFDgnp.exe"_s;
        QTest::newRow("right-to-left text, an isolate closed early")
            << u"\u05D0\u05D1\u2069.bin"_s << u"\u2068\u05D0\u05D1\uFFFD.bin\u2069"_s;
        QTest::newRow("a lone surrogate") << u"a"_s + QChar(0xD800) + u"b"_s << u"a\uFFFDb"_s;
        QTest::newRow("60,000 characters")
            << QString(60000, u'x') << QString(99, u'x') + u'…' + QString(100, u'x');
        const QString pair = u"\U0001F600"_s;
        QTest::newRow("a surrogate pair at either cut")
            << QString(98, u'a') + pair.repeated(300) + u'b'
            << QString(98, u'a') + u'…' + pair.repeated(49) + u'b';
    }

    void aNameFromOutsideShowsAsOneLineOfText()
    {
        QFETCH(QString, name);
        QTEST(shownName(name), "shown");
    }
};

QTEST_MAIN(TestSystem)
#include "test_system.moc"
