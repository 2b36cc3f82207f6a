// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionsFile.h"
#include "core/options/SavedOptions.h"
#include "core/settings/IniDocument.h"
#include "core/settings/modRegistry.h"
#include "core/settings/RegistryStore.h"
#include "core/system/WholeFile.h"
#include "WindowFixture.h"

#include <QProcess>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;
using Value = modRegistry::Value;

namespace {

QString iniWrite(const QString &text, const char *section, const char *key, const char *value)
{
    IniDocument file = IniDocument::fromBytes(text.toUtf8());
    return file.setValue(QLatin1String(section), QLatin1String(key), QLatin1String(value))
               ? QString::fromUtf8(file.toBytes())
               : u"<refused>"_s;
}

std::optional<QString> iniRead(const QString &text, const char *section, const char *key)
{
    return IniDocument::fromBytes(text.toUtf8()).value(QLatin1String(section), QLatin1String(key));
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Reading and writing settings files
    void settingsAreReadAndWrittenOneValueAtATime()
    {
        QTemporaryDir dir;
        FileRegistryStore store(dir.filePath(u"sub/registry.txt"_s));
        IniProfileStore profiles;
        const modRegistry settings(store, profiles);
        const QString file = dir.filePath(u"s.ini"_s), missing = dir.filePath(u"missing.ini"_s);
        const auto read = [&](const QString &where, const char *key, const char *type,
                              const Value &dflt = QString()) {
            Value result = u"x"_s;
            const qint32 status = settings.ReadValue(where, u"Key"_s, QLatin1String(key),
                                                     QLatin1String(type), dflt, result);
            return std::pair{status, result};
        };
        const auto write = [&](const QString &where, const char *key, const char *type,
                               const Value &value) {
            return settings.WriteValue(where, u"key"_s, QLatin1String(key), QLatin1String(type),
                                       value);
        };
        // Only an ordinary file is a settings file; a registry root is named.
        const QString hidden = dir.filePath(u".hidden.ini"_s);
        writeAll(hidden, "");
        QCOMPARE(settings.RootFromName(u"hkcu"_s), 0x80000001u);
        for (const QString &nothing : {u"HKCU\\Software"_s, dir.path(), hidden, missing, QString()})
            QCOMPARE(settings.RootFromName(nothing), 0u);
        // Files: a missing one refuses, and the default comes back in its own kind.
        QCOMPARE(read(missing, "k", "S", qint64(5)), std::pair(99, Value(qint64(5))));
        QCOMPARE(write(missing, "a", "S", u"x"_s), 99);
        writeAll(file, "[Key]\nlong=" + QByteArray(300, 'a') + "\nnum=12abc\n");
        QCOMPARE(read(file, "LONG", "s"), std::pair(0, Value(QString(254, u'a'))));
        QCOMPARE(read(file, "absent", "S", u"dflt"_s), std::pair(0, Value(u"dflt"_s)));
        QCOMPARE(read(file, "num", "D"), std::pair(0, Value(qint64(12))));
        // Only text is written to a file.
        QCOMPARE(write(file, "a", "D", qint64(1)) + write(file, "five", "S", qint64(5)), 99);
        QVERIFY(readAll(file).endsWith("\nnum=12abc\nfive=5\n"));
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

        // A key goes with every line of it in its section; an emptied section with it, but
        // not a later one of the same name, nor a section that had nothing to remove.
        const auto removed = [](const QString &text, const char *section, const char *key) {
            IniDocument file = IniDocument::fromBytes(text.toUtf8());
            file.removeValue(QLatin1String(section), QLatin1String(key));
            return QString::fromUtf8(file.toBytes());
        };
        // (A later section of the name keeps the header: it would come to count.)
        QCOMPARE(removed(twice, "a", "K"), u"[A]\n[a]\nk=three\n"_s);
        QCOMPARE(removed(u"[A]\r\nk=1\r\n\r\n[B]\r\nx=2"_s, "A", "k"), u"\r\n[B]\r\nx=2"_s);
        QCOMPARE(removed(u"[A]\n; note\nk=1\n"_s, "A", "k"), u"[A]\n; note\n"_s);
        QCOMPARE(removed(u"[A]\n[B]\nk=1"_s, "A", "k"), u"[A]\n[B]\nk=1"_s);
    }

    void aFileKeepsItsEncodingAndEveryLineItDoesNotWrite()
    {
        const QByteArray cp1252 = "[General]\r\nRomPath=C:\\Jogos\\A\xe7\xe3o\r\nZincPath=x\r\n";
        IniDocument file = IniDocument::fromBytes(cp1252);
        QCOMPARE(file.value(u"General"_s, u"RomPath"_s), std::optional(u"C:\\Jogos\\Ação"_s));
        QVERIFY(file.setValue(u"General"_s, u"ZincPath"_s, u"D:\\Emulação €"_s));
        QCOMPARE(file.toBytes(), QByteArray("[General]\r\nRomPath=C:\\Jogos\\A\xe7\xe3o\r\n"
                                            "ZincPath=D:\\Emula\xe7\xe3o \x80\r\n"));
        // What Windows-1252 cannot hold moves the whole file to UTF-8, meaning kept.
        QVERIFY(file.setValue(u"General"_s, u"ZincPath"_s, u"D:\\模拟器"_s));
        const IniDocument reread = IniDocument::fromBytes(file.toBytes());
        QCOMPARE(reread.encoding(), IniDocument::Encoding::Utf8);
        QCOMPARE(reread.value(u"General"_s, u"RomPath"_s), std::optional(u"C:\\Jogos\\Ação"_s));
        QCOMPARE(reread.value(u"General"_s, u"ZincPath"_s), std::optional(u"D:\\模拟器"_s));
        // An edit that takes away the only bytes UTF-8 cannot read must not
        // leave the rest to be read as UTF-8 ("\xc3\xa9" is "Ã©" here, not "é").
        IniDocument mixed = IniDocument::fromBytes("[A]\nk=\xe9\nj=\xc3\xa9\n");
        QVERIFY(mixed.setValue(u"A"_s, u"k"_s, u"x"_s));
        QCOMPARE(IniDocument::fromBytes(mixed.toBytes()).value(u"A"_s, u"j"_s),
                 std::optional(u"Ã©"_s));
        // Any byte at all comes back as it was.
        QByteArray every(256, '\0');
        for (int b = 0; b < 256; ++b)
            every[b] = char(b);
        QCOMPARE(IniDocument::fromBytes(every).toBytes(), every);
        QCOMPARE(IniDocument::fromBytes("caf\xc3\xa9").toBytes(), QByteArray("caf\xc3\xa9"));
        // A byte-order mark stays first, and the first section is still read.
        IniDocument marked = IniDocument::fromBytes("\xEF\xBB\xBF[General]\r\nRomPath=/r\r\n");
        QCOMPARE(marked.value(u"General"_s, u"RomPath"_s), std::optional(u"/r"_s));
        QVERIFY(marked.setValue(u"General"_s, u"ZincPath"_s, u"/z"_s));
        QCOMPARE(marked.toBytes(),
                 QByteArray("\xEF\xBB\xBF[General]\r\nRomPath=/r\r\nZincPath=/z\r\n"));
    }

    void aValueThatCannotStandOnOneLineIsNotSaved()
    {
        IniDocument file = IniDocument::fromBytes("[General]\nZincPath=/z\n");
        OptionSet options;
        options.zincDirectory = u"/a\rb"_s;
        options.romDirectory = QString(u"/r\0"_s);
        QCOMPARE(saveOptions(file, options), (QStringList{u"RomPath"_s, u"ZincPath"_s}));
        QCOMPARE(file.value(u"General"_s, u"ZincPath"_s), std::optional(u"/z"_s));
        QCOMPARE(file.value(u"General"_s, u"RomPath"_s), std::nullopt);
    }

    // Where the file and its folder cannot be made, the user is told as of
    // any save that failed. (Made with its folder: test_form, installed.)
    void aMissingOptionsFileThatCannotBeMadeIsTold()
    {
        QTemporaryDir dir;
        const PlatformConventions platform = PlatformConventions::native();
        QVERIFY(writeAll(dir.filePath(u"blocked"_s))); // a file where the folder would be
        const OptionsFile blocked(
            ProgramLocations::portable(dir.filePath(u"blocked/in"_s), platform), platform,
            [](const QString &) { return true; });
        const OptionsFile::Saved saved = blocked.save(OptionSet());
        QCOMPARE(saved.problem, OptionsFile::SaveProblem::FolderReadOnly);
        QCOMPARE(blocked.problems(saved, LanguageTextTable::english()).size(), 1);
    }

    void aSaveKilledAtAnyMomentLeavesTheOldFileOrTheNew()
    {
        // The child saves two sets of options in turn, until it is killed.
        QTemporaryDir dir;
        const QString file = dir.filePath(u"rivonel.ini"_s);
        QByteArray texts[2];
        for (int i : {1, 0}) {
            IniDocument document = IniDocument::fromBytes("; notes\n[General]\nMine=1\n");
            OptionSet options;
            options.romDirectory = QString(i + 1, u'r');
            options.sound = i;
            QVERIFY(saveOptions(document, options).isEmpty());
            texts[i] = document.toBytes();
        }
        writeAll(file, texts[0]);
        writeAll(file + u".rivonel-unfinished-Ab12Cd"_s, "half of"); // as a kill leaves it
        // A user's own copy, even named like another program's temporary file, stays.
        const QStringList left{u"rivonel.ini"_s, u"rivonel.ini.Ab12Cd"_s};
        writeAll(dir.filePath(left[1]), "[General]\nRomPath=/x\n");
        const OptionsFile options(
            ProgramLocations::portable(dir.path(), PlatformConventions::native()),
            PlatformConventions::native(),
            [](const QString &path) { return QFileInfo(path).isFile(); });
        for (int run = 0; run < 25; ++run) {
            QProcess child;
            child.start(QStringLiteral(SAVE_CHILD_PATH), {dir.path()});
            // Killed while it saves, not while the system starts it: a process
            // killed that early under wine can keep the test from ending.
            QVERIFY(child.waitForReadyRead(20000));
            QThread::usleep(QRandomGenerator::global()->bounded(0, 5000));
            child.kill();
            QVERIFY(child.waitForFinished());
            const QByteArray now = readAll(file);
            QVERIFY(now == texts[0] || now == texts[1]);
            // The next start reads the options whole and clears what the kill left.
            QCOMPARE(options.load().document.toBytes(), now);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), left);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
