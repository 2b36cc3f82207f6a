#include "core/settings/IniText.h"
#include "core/settings/modRegistry.h"
#include "core/settings/ProfileFunctions.h"
#include "core/settings/RegistryStore.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;
using Value = modRegistry::Value;

namespace {

QString iniWrite(const QString &text, const char *section, const char *key, const char *value)
{
    return ini::write(text, QString::fromLatin1(section), QString::fromLatin1(key),
                      QString::fromLatin1(value), u"\n"_s);
}

std::optional<QString> iniRead(const QString &text, const char *section, const char *key)
{
    return ini::read(text, QString::fromLatin1(section), QString::fromLatin1(key));
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Locations
    void rootFromNameTellsRootsFilesAndNothing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"a.ini"_s);
        const QString hidden = dir.filePath(u".hidden.ini"_s);
        writeAll(file, "");
        writeAll(hidden, "");
        QCOMPARE(modRegistry::RootFromName(u"hkcu"_s), 0x80000001u);
        QCOMPARE(modRegistry::RootFromName(file), 1u);
        for (const QString &nothing :
             {u"HKCU\\Software"_s, dir.path(), hidden, dir.filePath(u"missing.ini"_s), QString()})
            QCOMPARE(modRegistry::RootFromName(nothing), 0u);
    }

    // --- Reading and writing settings files
    void readingAndWritingASettingsFile()
    {
        QTemporaryDir dir;
        FileRegistryStore store(dir.filePath(u"reg"_s));
        const modRegistry settings(store);
        const QString file = dir.filePath(u"s.ini"_s);
        const QString missing = dir.filePath(u"missing.ini"_s);
        const auto read = [&](const QString &where, const char *key, const char *type,
                              const Value &dflt) {
            Value result = u"x"_s;
            const qint32 status = settings.ReadValue(where, u"s"_s, QString::fromLatin1(key),
                                                     QString::fromLatin1(type), dflt, result);
            return std::pair{status, result};
        };
        // A missing file refuses, and the default comes back in its own kind.
        QCOMPARE(read(missing, "k", "S", QString()), std::pair(99, Value(QString())));
        QCOMPARE(read(missing, "k", "S", qint64(5)), std::pair(99, Value(qint64(5))));

        writeAll(file, "[S]\nlong=" + QByteArray(300, 'a') + "\nnum=12abc\nword=abc\n");
        QCOMPARE(read(file, "LONG", "s", QString()), std::pair(0, Value(QString(254, u'a'))));
        QCOMPARE(read(file, "absent", "S", u"dflt"_s), std::pair(0, Value(u"dflt"_s)));
        QCOMPARE(read(file, "num", "D", QString()), std::pair(0, Value(qint64(12))));
        QCOMPARE(read(file, "word", "B", QString()), std::pair(0, Value(qint64(0))));
        QCOMPARE(read(file, "absent", "D", qint64(7)), std::pair(0, Value(qint64(0))));

        // Only text is written to a file, and only to one that exists.
        writeAll(file, "");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(settings.WriteValue(file, u"S"_s, u"a"_s, u"D"_s, qint64(1)), 99);
        QCOMPARE(settings.WriteValue(file, u"S"_s, u"a"_s, u"B"_s, true), 99);
        QCOMPARE(settings.WriteValue(file, u"S"_s, u"five"_s, u"S"_s, qint64(5)), 0);
        QCOMPARE(settings.WriteValue(file, u"S"_s, u"minus"_s, u"s"_s, qint64(-1)), 0);
        QCOMPARE(readAll(file), QByteArray("[S]\nfive=5\nminus=-1\n"));
        // The rewritten file keeps the permissions it had.
        QCOMPARE(QFile::permissions(file) & 0x0FFF,
                 QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
        QCOMPARE(settings.WriteValue(missing, u"S"_s, u"a"_s, u"S"_s, u"x"_s), 99);
        QVERIFY(!QFile::exists(missing));
    }

    void aWriteThatFailsHalfwayLeavesTheFileWhole()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString file = dir.filePath(u"s.ini"_s);
        const QByteArray before = "[S]\nkey=" + QByteArray(200, 'v') + "\n";
        writeAll(file, before);
        // Files may not grow past 100 bytes: the new text cannot be written whole.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{100, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool written = profile::writeString(file, u"S"_s, u"other"_s, u"x"_s);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(readAll(file), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"s.ini"_s});
#else
        QSKIP("file size limits are a Unix facility");
#endif
    }

    void iniEditsKeepEverythingElse()
    {
        const QString text =
            QStringLiteral("; comment\r\n[General]\r\n  RomPath = \"C:\\Roms\" \r\n"
                           "junk line\r\n\r\n[Video]\r\nScanLines=1\r\n");
        QCOMPARE(iniRead(text, " general ", "ROMPATH"), std::optional(u"C:\\Roms"_s));
        QCOMPARE(iniRead(text, "Video", "Scanlines"), std::optional(u"1"_s));
        QCOMPARE(iniRead(text, "Video", "Missing"), std::nullopt);
        QCOMPARE(iniRead(text, "Nowhere", "RomPath"), std::nullopt);

        // In place, with the entry's own spelling, the file's line ends.
        QCOMPARE(iniWrite(text, "video", "Scanlines", "2"),
                 QString(text).replace(u"ScanLines=1"_s, u"ScanLines=2"_s));
        // A new key ends its section, before the blank line; a new section ends the file.
        QCOMPARE(iniWrite(text, "General", "ZincPath", "Z"),
                 QString(text).replace(u"junk line\r\n"_s, u"junk line\r\nZincPath=Z\r\n"_s));
        QCOMPARE(iniWrite(text, "Audio", "SoundEnable", "1"),
                 text + u"[Audio]\r\nSoundEnable=1\r\n"_s);
        // A file without a final line end gets one first.
        QCOMPARE(iniWrite(u"[A]\nx=1"_s, "A", "y", "2"), u"[A]\nx=1\ny=2\n"_s);
        QCOMPARE(iniWrite(u"[A]\nx=1"_s, "B", "y", "2"), u"[A]\nx=1\n[B]\ny=2\n"_s);
        QCOMPARE(iniWrite(QString(), "A", "k", "v"), u"[A]\nk=v\n"_s);
        // The first matching section and key win; one pair of quotes comes off.
        const QString twice = u"[A]\nk='one'\nK=two\n[a]\nk=three\n"_s;
        QCOMPARE(iniRead(twice, "a", "k"), std::optional(u"one"_s));
        QCOMPARE(iniWrite(twice, "A", "K", "x"), u"[A]\nk=x\nK=two\n[a]\nk=three\n"_s);
        QCOMPARE(iniRead(u"[A]\nk=\"half\n"_s, "A", "k"), std::optional(u"\"half"_s));
        QCOMPARE(iniRead(u"[A]\n;k=no\n"_s, "A", ";k"), std::nullopt);
    }

    void iniFilesInAnOldCodePageStayInIt()
    {
        const QByteArray cp1252("[Language]\nString02=Ol\xe1 \x80\n");
        QCOMPARE(ini::read(ini::decode(cp1252), u"Language"_s, u"String02"_s),
                 std::optional(u"Olá €"_s));
        QCOMPARE(ini::decode("caf\xc3\xa9"), u"café"_s);
        QCOMPARE(ini::encodeLike(u"Olá €"_s, cp1252), QByteArray("Ol\xe1 \x80"));
        QCOMPARE(ini::encodeLike(u"Olá"_s, "plain"), QByteArray("Ol\xc3\xa1"));
        // Any byte at all comes back as it was.
        QByteArray every(256, '\0');
        for (int b = 0; b < 256; ++b)
            every[b] = char(b);
        QCOMPARE(ini::encodeLike(ini::decode(every), every), every);
    }

    // --- The registry substitute
    void registryValuesRoundTripWithTheirTypes()
    {
        QTemporaryDir dir;
        FileRegistryStore store(dir.filePath(u"sub/registry.txt"_s));
        const modRegistry settings(store);
        const auto read = [&](const char *name, const char *type) {
            Value result = false;
            const qint32 status =
                settings.ReadValue(u"HKCU"_s, u"software\\rivonel"_s, QLatin1String(name),
                                   QLatin1String(type), false, result);
            return std::pair{status, result};
        };
        QCOMPARE(read("Name", "S").first, 2); // no such key yet
        const std::tuple<const char *, const char *, Value> values[] = {
            {"Name", "S", u"Olá"_s},
            {"D", "D", qint64(-2)},
            {"B", "b", true},
            // These do not convert, and store nothing.
            {"Big", "D", qint64(40000)},
            {"Flag", "B", u"maybe"_s}};
        for (const auto &[name, type, value] : values)
            QCOMPARE(settings.WriteValue(u"hkcu"_s, u"Software\\Rivonel"_s, QLatin1String(name),
                                         QLatin1String(type), value),
                     0);
        QCOMPARE(read("name", "S"), std::pair(0, Value(u"Olá"_s)));
        QCOMPARE(read("D", "D"), std::pair(0, Value(qint64(-2))));
        QCOMPARE(read("B", "B"), std::pair(0, Value(true)));
        QCOMPARE(read("Big", "D").first + read("Flag", "B").first, 4);
        QCOMPARE(read("Name", "B"), std::pair(234, Value(false))); // wider than the type
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
