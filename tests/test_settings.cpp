#include "app/LogBox.h"
#include "app/ProgramInfo.h"
#include "app/ValueCheckBox.h"
#include "settings/IniText.h"
#include "settings/modRegistry.h"
#include "settings/ProfileFile.h"
#include "settings/RegistryStore.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

using namespace rivonel;
using namespace rivonel::test;
using Value = modRegistry::Value;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString iniWrite(const QString &text, const char *section, const char *key, const char *value)
{
    return ini::write(text, QString::fromLatin1(section), QString::fromLatin1(key),
                      QString::fromLatin1(value), QStringLiteral("\n"));
}

std::optional<QString> iniRead(const QString &text, const char *section, const char *key)
{
    return ini::read(text, QString::fromLatin1(section), QString::fromLatin1(key));
}

// A window over a program directory holding the given rivonel.ini.
struct SettingsFixture : WindowFixture {
    explicit SettingsFixture(const QByteArray &ini = QByteArray(), bool withFile = true)
    {
        if (withFile)
            writeAll(iniPath(), ini);
    }
    QString iniPath() const { return programFile(QStringLiteral("rivonel.ini")); }
    void load() { window->Form_Load(); }
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    QTemporaryDir m_config;

private Q_SLOTS:
    void initTestCase()
    {
        // The registry substitute writes below the user's configuration directory.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    // --- Locations
    void rootFromNameTellsRootsFilesAndNothing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.ini"));
        const QString hidden = dir.filePath(QStringLiteral(".hidden.ini"));
        writeAll(file, "");
        writeAll(hidden, "");
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("hkcu")), 0x80000001u);
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("HKLM")), 0x80000002u);
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("Hku")), 0x80000003u);
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("HKDD")), 0x80000006u);
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("hkcc")), 0x80000005u);
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("HKCR")), 0x80000000u);
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("HKCU\\Software")), 0u);
        QCOMPARE(modRegistry::RootFromName(dir.path()), 0u);
        QCOMPARE(modRegistry::RootFromName(file), 1u);
        QCOMPARE(modRegistry::RootFromName(hidden), 0u);
        QCOMPARE(modRegistry::RootFromName(dir.filePath(QStringLiteral("missing.ini"))), 0u);
        QCOMPARE(modRegistry::RootFromName(QString()), 0u);
    }

    // --- Reading and writing settings files
    void readingASettingsFile()
    {
        QTemporaryDir dir;
        FileRegistryStore store(dir.filePath(QStringLiteral("reg")));
        const modRegistry settings(store);
        const QString missing = dir.filePath(QStringLiteral("missing.ini"));
        Value result = QStringLiteral("x");
        QCOMPARE(settings.ReadValue(missing, QStringLiteral("S"), QStringLiteral("K"),
                                    QStringLiteral("S"), QString(), result),
                 99);
        QCOMPARE(result, Value(QString()));
        QCOMPARE(settings.ReadValue(missing, QStringLiteral("S"), QStringLiteral("K"),
                                    QStringLiteral("S"), qint64(5), result),
                 99);
        QCOMPARE(result, Value(qint64(5)));

        const QString file = dir.filePath(QStringLiteral("s.ini"));
        writeAll(file, "[S]\nlong=" + QByteArray(300, 'a') + "\nnum=12abc\nword=abc\n");
        QCOMPARE(settings.ReadValue(file, QStringLiteral("s"), QStringLiteral("LONG"),
                                    QStringLiteral("s"), QString(), result),
                 0);
        QCOMPARE(std::get<QString>(result), QString(254, u'a'));
        settings.ReadValue(file, QStringLiteral("S"), QStringLiteral("absent"), QStringLiteral("S"),
                           QStringLiteral("dflt"), result);
        QCOMPARE(result, Value(QStringLiteral("dflt")));
        settings.ReadValue(file, QStringLiteral("S"), QStringLiteral("num"), QStringLiteral("D"),
                           QString(), result);
        QCOMPARE(result, Value(qint64(12)));
        settings.ReadValue(file, QStringLiteral("S"), QStringLiteral("word"), QStringLiteral("B"),
                           QString(), result);
        QCOMPARE(result, Value(qint64(0)));
        QCOMPARE(settings.ReadValue(file, QStringLiteral("S"), QStringLiteral("absent"),
                                    QStringLiteral("D"), qint64(7), result),
                 0);
        QCOMPARE(result, Value(qint64(0)));
    }

    void writingASettingsFile()
    {
        QTemporaryDir dir;
        FileRegistryStore store(dir.filePath(QStringLiteral("reg")));
        const modRegistry settings(store);
        const QString file = dir.filePath(QStringLiteral("s.ini"));
        writeAll(file, "");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(settings.WriteValue(file, QStringLiteral("S"), QStringLiteral("a"),
                                     QStringLiteral("D"), qint64(1)),
                 99);
        QCOMPARE(settings.WriteValue(file, QStringLiteral("S"), QStringLiteral("a"),
                                     QStringLiteral("B"), true),
                 99);
        QCOMPARE(readAll(file), QByteArray());
        QCOMPARE(settings.WriteValue(file, QStringLiteral("S"), QStringLiteral("five"),
                                     QStringLiteral("S"), qint64(5)),
                 0);
        settings.WriteValue(file, QStringLiteral("S"), QStringLiteral("minus"), QStringLiteral("s"),
                            qint64(-1));
        QCOMPARE(readAll(file), QByteArray("[S]\nfive=5\nminus=-1\n"));
        // The rewritten file keeps the permissions it had.
        QCOMPARE(QFile::permissions(file) & 0x0FFF,
                 QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);

        const QString missing = dir.filePath(QStringLiteral("missing.ini"));
        QCOMPARE(settings.WriteValue(missing, QStringLiteral("S"), QStringLiteral("a"),
                                     QStringLiteral("S"), QStringLiteral("x")),
                 99);
        QVERIFY(!QFile::exists(missing));
    }

    void iniEditsKeepEverythingElse()
    {
        const QString text =
            QStringLiteral("; comment\r\n[General]\r\n  RomPath = \"C:\\Roms\" \r\n"
                           "junk line\r\n\r\n[Video]\r\nScanLines=1\r\n");
        QCOMPARE(iniRead(text, " general ", "ROMPATH"), std::optional(QStringLiteral("C:\\Roms")));
        QCOMPARE(iniRead(text, "Video", "Scanlines"), std::optional(QStringLiteral("1")));
        QCOMPARE(iniRead(text, "Video", "Missing"), std::nullopt);
        QCOMPARE(iniRead(text, "Nowhere", "RomPath"), std::nullopt);

        // In place, with the entry's own spelling, the file's line ends.
        QCOMPARE(
            iniWrite(text, "video", "Scanlines", "2"),
            QString(text).replace(QStringLiteral("ScanLines=1"), QStringLiteral("ScanLines=2")));
        // A new key ends its section, before the blank line; a new section ends the file.
        QCOMPARE(iniWrite(text, "General", "ZincPath", "Z"),
                 QString(text).replace(QStringLiteral("junk line\r\n"),
                                       QStringLiteral("junk line\r\nZincPath=Z\r\n")));
        QCOMPARE(iniWrite(text, "Audio", "SoundEnable", "1"),
                 text + QStringLiteral("[Audio]\r\nSoundEnable=1\r\n"));
        // A file without a final line end gets one first.
        QCOMPARE(iniWrite(QStringLiteral("[A]\nx=1"), "A", "y", "2"),
                 QStringLiteral("[A]\nx=1\ny=2\n"));
        QCOMPARE(iniWrite(QStringLiteral("[A]\nx=1"), "B", "y", "2"),
                 QStringLiteral("[A]\nx=1\n[B]\ny=2\n"));
        QCOMPARE(iniWrite(QString(), "A", "k", "v"), QStringLiteral("[A]\nk=v\n"));
    }

    void iniFirstMatchWinsAndQuotesComeOff()
    {
        const QString text = QStringLiteral("[A]\nk='one'\nK=two\n[a]\nk=three\n");
        QCOMPARE(iniRead(text, "a", "k"), std::optional(QStringLiteral("one")));
        QCOMPARE(iniWrite(text, "A", "K", "x"), QStringLiteral("[A]\nk=x\nK=two\n[a]\nk=three\n"));
        QCOMPARE(iniRead(QStringLiteral("[A]\nk=\"half\n"), "A", "k"),
                 std::optional(QStringLiteral("\"half")));
        QCOMPARE(iniRead(QStringLiteral("[A]\n;k=no\n"), "A", ";k"), std::nullopt);
    }

    void iniFilesInAnOldCodePageStayInIt()
    {
        const QByteArray cp1252("[Language]\nString02=Ol\xe1 \x80\n");
        QCOMPARE(
            ini::read(ini::decode(cp1252), QStringLiteral("Language"), QStringLiteral("String02")),
            std::optional(QStringLiteral("Olá €")));
        QCOMPARE(ini::decode("caf\xc3\xa9"), QStringLiteral("café"));
        QCOMPARE(ini::encodeLike(QStringLiteral("Olá €"), cp1252), QByteArray("Ol\xe1 \x80"));
        QCOMPARE(ini::encodeLike(QStringLiteral("Olá"), "plain"), QByteArray("Ol\xc3\xa1"));
    }

    // --- The registry substitute
    void registryValuesRoundTripWithTheirFormats()
    {
        QTemporaryDir dir;
        FileRegistryStore store(dir.filePath(QStringLiteral("sub/registry.txt")));
        const modRegistry settings(store);
        const QString hkcu = QStringLiteral("hkcu");
        const QString key = QStringLiteral("Software\\Rivonel");
        Value result;
        QCOMPARE(settings.ReadValue(hkcu, key, QStringLiteral("x"), QStringLiteral("S"), QString(),
                                    result),
                 2);

        QCOMPARE(settings.WriteValue(hkcu, key, QStringLiteral("Name"), QStringLiteral("S"),
                                     QStringLiteral("Olá")),
                 0);
        QCOMPARE(settings.ReadValue(QStringLiteral("HKCU"), QStringLiteral("software\\rivonel"),
                                    QStringLiteral("name"), QStringLiteral("S"), QString(), result),
                 0);
        QCOMPARE(result, Value(QStringLiteral("Olá")));

        QByteArray bytes;
        QCOMPARE(
            settings.WriteValue(hkcu, key, QStringLiteral("D"), QStringLiteral("D"), qint64(-2)),
            0);
        store.queryValue(0x80000001, key, QStringLiteral("D"), &bytes);
        QCOMPARE(bytes, QByteArray("\xfe\xff\xff\xff", 4));
        settings.ReadValue(hkcu, key, QStringLiteral("D"), QStringLiteral("D"), QString(), result);
        QCOMPARE(result, Value(qint64(-2)));

        QCOMPARE(settings.WriteValue(hkcu, key, QStringLiteral("B"), QStringLiteral("b"), true), 0);
        store.queryValue(0x80000001, key, QStringLiteral("B"), &bytes);
        QCOMPARE(bytes, QByteArray("\xff\xff", 2));
        settings.ReadValue(hkcu, key, QStringLiteral("B"), QStringLiteral("B"), QString(), result);
        QCOMPARE(result, Value(true));

        // Values that do not convert store nothing.
        QCOMPARE(settings.WriteValue(hkcu, key, QStringLiteral("Big"), QStringLiteral("D"),
                                     qint64(40000)),
                 0);
        QCOMPARE(settings.WriteValue(hkcu, key, QStringLiteral("Flag"), QStringLiteral("B"),
                                     QStringLiteral("maybe")),
                 0);
        QCOMPARE(store.queryValue(0x80000001, key, QStringLiteral("Big"), &bytes), 2);
        QCOMPARE(store.queryValue(0x80000001, key, QStringLiteral("Flag"), &bytes), 2);
        // A wider value than the type's buffer.
        QCOMPARE(settings.ReadValue(hkcu, key, QStringLiteral("Name"), QStringLiteral("B"), false,
                                    result),
                 234);
        QCOMPARE(result, Value(false));
        QCOMPARE(modRegistry::RootFromName(QStringLiteral("HKCU")), 0x80000001u);
        QVERIFY(FileRegistryStore::defaultPath().startsWith(m_config.path()));
    }

    // --- The options file through the window
    void everyOptionSurvivesARestart()
    {
        SettingsFixture first;
        first.load();
        first.control<QLineEdit>("txtRomDir")->setText(QStringLiteral("/r o m s"));
        first.control<QLineEdit>("txtZincDir")->setText(QStringLiteral("/zinc"));
        first.control<QListWidget>("lstGames")->item(9)->setSelected(true);
        first.control<QLineEdit>("txtFrameRate")->setText(QStringLiteral("abc"));
        first.control<QLineEdit>("txtSoundFilterCutoff")->setText(QStringLiteral("11025"));
        first.control<QLineEdit>("txtSurroundMultiplier")->setText(QStringLiteral("3"));
        first.control<QComboBox>("cboRend")->setCurrentIndex(2);
        first.control<QComboBox>("cboResolution")->setCurrentIndex(5);
        first.control<QComboBox>("cboColorDepth")->setCurrentIndex(1);
        first.control<QComboBox>("cboScanLines")->setCurrentIndex(2);
        first.control<QComboBox>("cboTextureFiltering")->setCurrentIndex(3);
        first.control<QComboBox>("cboTextureQuality")->setCurrentIndex(1);
        first.control<QComboBox>("cboTextureCaching")->setCurrentIndex(2);
        first.control<QComboBox>("cboTurnDisplay")->setCurrentIndex(1);
        first.control<QComboBox>("cboBlending")->setCurrentIndex(2);
        const QList<std::pair<const char *, int>> boxes{
            {"chkUseLowGeometry", 1}, {"chkSound", 1},        {"chkSoundFilter", 0},
            {"chkStereoExciter", 1},  {"chkSurroundLite", 1}, {"chkSurroundLiteMultiplier", 0},
            {"chkShowFPS", 1},        {"chkFrameSkip", 0},    {"chkFrameSkipAuto", 1},
            {"chkFrameLimit", 0},     {"chkDithering", 1},    {"chkEnableKeys", 0},
            {"chkFullScreen", 1}};
        for (const auto &[name, value] : boxes)
            first.control<ValueCheckBox>(name)->setValue(value);
        const OptionSet saved = first.window->currentOptions();
        QVERIFY(first.window->close());

        // An empty file is filled in the table's order.
        const QByteArray file = readAll(first.iniPath());
        QVERIFY(file.startsWith("[General]\nRomPath=/r o m s\nZincPath=/zinc\nLastGame=10\n"
                                "Language=\nUseLowGeometry=1\n[Audio]\nSoundEnable=1\n"));
        QVERIFY(file.contains("[Video]\nRenderer=2\nShowFPS=1\n"));
        QVERIFY(file.endsWith("FrameRate=abc\nTurnDisplay=1\nBlending=2\n"));

        SettingsFixture second(file);
        second.load();
        const OptionSet loaded = second.window->currentOptions();
        QCOMPARE(loaded.romDirectory, saved.romDirectory);
        QCOMPARE(loaded.zincDirectory, saved.zincDirectory);
        QCOMPARE(loaded.frameRate, saved.frameRate);
        QCOMPARE(loaded.soundFilterCutoff, saved.soundFilterCutoff);
        QCOMPARE(loaded.surroundMultiplier, saved.surroundMultiplier);
        for (const auto &[a, b] : {std::pair{loaded.renderer, saved.renderer},
                                   {loaded.resolution, saved.resolution},
                                   {loaded.colorDepth, saved.colorDepth},
                                   {loaded.scanLines, saved.scanLines},
                                   {loaded.textureFiltering, saved.textureFiltering},
                                   {loaded.textureQuality, saved.textureQuality},
                                   {loaded.textureCaching, saved.textureCaching},
                                   {loaded.turnDisplay, saved.turnDisplay},
                                   {loaded.blending, saved.blending}})
            QCOMPARE(a.position, b.position);
        for (const auto &[name, value] : boxes)
            QCOMPARE(second.control<ValueCheckBox>(name)->value(), value);
        QCOMPARE(second.control<QListWidget>("lstGames")->selectedItems().size(), 1);
        QCOMPARE(second.control<QListWidget>("lstGames")
                     ->row(second.control<QListWidget>("lstGames")->selectedItems().first()),
                 9);
        // Start-up still ends with its own two lines.
        QCOMPARE(second.control<LogBox>("txtlog")->text(),
                 second.window->windowTitle() + QStringLiteral("\r\n") + webAddress());
    }

    void scanLinesKeyIsFoundInAnyCaseAndUpdatedInPlace()
    {
        SettingsFixture f("[Video]\nSCANLINES=Forte\nResolution=800x600\n");
        f.load();
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), 2);
        QCOMPARE(f.control<QComboBox>("cboResolution")->currentIndex(), 3);
        f.control<QComboBox>("cboScanLines")->setCurrentIndex(1);
        QVERIFY(f.window->close());
        const QByteArray file = readAll(f.iniPath());
        QVERIFY(file.startsWith("[Video]\nSCANLINES=Leve\nResolution=800x600\n"));
        QCOMPARE(file.count("canlines"), 0);
        QCOMPARE(file.count("CANLINES"), 1);
    }

    void lastGameSelectsOnlyAGameThatExists_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("selected");
        QTest::newRow("ten") << QByteArray("10") << 9;
        QTest::newRow("one") << QByteArray("1") << 0;
        QTest::newRow("zero") << QByteArray("0") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("text") << QByteArray("abc") << -1;
        QTest::newRow("too big") << QByteArray("27") << -1;
        QTest::newRow("negative") << QByteArray("-4") << -1;
    }

    void lastGameSelectsOnlyAGameThatExists()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, selected);
        SettingsFixture f("[General]\nLastGame=" + value + "\n");
        f.load();
        const QList<QListWidgetItem *> items = f.control<QListWidget>("lstGames")->selectedItems();
        QCOMPARE(items.isEmpty() ? -1 : f.control<QListWidget>("lstGames")->row(items.first()),
                 selected);
    }

    void checkBoxTextsThatCannotServeLeaveTheBox()
    {
        SettingsFixture f("[General]\nUseLowGeometry=2\n[Audio]\nSoundEnable=1\nSoundFilter=2\n"
                          "StereoExciter=x\nSurroundLite=7\n[Video]\nRenderer=-1\nShowFPS=1\n"
                          "Resolution=999x999\nColorDepth=\n");
        f.load();
        QCOMPARE(f.control<ValueCheckBox>("chkUseLowGeometry")->value(), 0);
        QCOMPARE(f.control<ValueCheckBox>("chkSound")->value(), 1);
        QCOMPARE(f.control<ValueCheckBox>("chkSoundFilter")->value(), 2);
        QCOMPARE(f.control<ValueCheckBox>("chkStereoExciter")->value(), 2);
        QCOMPARE(f.control<ValueCheckBox>("chkSurroundLite")->value(), 2);
        QCOMPARE(f.control<ValueCheckBox>("chkShowFPS")->value(), 1);
        QCOMPARE(f.control<QComboBox>("cboRend")->currentIndex(), -1);
        QCOMPARE(f.control<QComboBox>("cboResolution")->currentIndex(), 2);
        QCOMPARE(f.control<QComboBox>("cboColorDepth")->currentIndex(), 0);
        QVERIFY(f.window->close());
        QVERIFY(readAll(f.iniPath()).contains("Renderer=-1\n"));

        SettingsFixture g("[Audio]\nSoundEnable=2\n");
        g.load();
        QCOMPARE(g.control<ValueCheckBox>("chkSound")->value(), 0);
    }

    void noSoundDeviceClearsAndLocksSound()
    {
        SettingsFixture f("[Audio]\nSoundEnable=1\n");
        f.desktop.soundDevices = 0;
        f.load();
        auto *sound = f.control<ValueCheckBox>("chkSound");
        QCOMPARE(sound->value(), 0);
        QVERIFY(!sound->isEnabled());
        QVERIFY(f.control<LogBox>("txtlog")->text().startsWith(f.window->windowTitle()));
        QVERIFY(f.window->close());
        QVERIFY(readAll(f.iniPath()).contains("SoundEnable=0\n"));
    }

    void withoutAFileNothingIsCreated()
    {
        SettingsFixture f(QByteArray(), false);
        f.load();
        QCOMPARE(f.control<QLineEdit>("txtZincDir")->text(), QString());
        QCOMPARE(f.control<ValueCheckBox>("chkSound")->value(), 2);
        QVERIFY(f.window->close());
        QVERIFY(!QFile::exists(f.iniPath()));
    }

    void unknownKeysAndCommentsSurviveASave()
    {
        const QByteArray original = "; my notes\r\n[General]\r\nRomPath=/a\r\nMyOwnKey=keep me\r\n"
                                    "\r\n[Extra]\r\nfoo=bar\r\n";
        SettingsFixture f(original);
        f.load();
        QVERIFY(f.window->close());
        const QByteArray file = readAll(f.iniPath());
        QVERIFY(file.startsWith("; my notes\r\n[General]\r\nRomPath=/a\r\nMyOwnKey=keep me\r\n"));
        QVERIFY(file.contains("\r\n[Extra]\r\nfoo=bar\r\n"));
        QVERIFY(!file.contains("\n\n"));
        QVERIFY(!QByteArray(file).replace("\r\n", "").contains('\n'));
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
