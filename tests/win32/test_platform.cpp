// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer's Windows side on the system itself (under wine in the
// build): values through the registry and the profile functions, and the
// browser lookup where no browser is registered.
#include "core/settings/modRegistry.h"
#include "platform/SystemDesktop.h"
#include "platform/WindowsProfileStore.h"
#include "platform/WindowsRegistryStore.h"
#include "WindowFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

using namespace Qt::StringLiterals;
using namespace rivonel;
using rivonel::test::writeAll;

namespace {
const wchar_t testKey[] = L"Software\\Rivonel tests";
}

class TestPlatform : public QObject {
    Q_OBJECT
    WindowsRegistryStore registry;
    WindowsProfileStore profiles;
    QTemporaryDir dir;
    QString file() const { return QDir::toNativeSeparators(dir.filePath(u"s.ini"_s)); }
private Q_SLOTS:
    void init()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, testKey);
        QVERIFY(writeAll(file(), "[Key]\r\nold=1\r\n"));
    }
    void cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, testKey); }

    // Each value reads back in its own type, and from a fresh key in either
    // letter case, with the code page's accented letters.
    void valuesReadBackAsWritten_data()
    {
        QTest::addColumn<bool>("inRegistry");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("registry text") << true << u"S"_s << u"Olá, Zinc"_s;
        QTest::newRow("registry number") << true << u"D"_s << u"-2"_s;
        QTest::newRow("registry flag") << true << u"B"_s << u"True"_s;
        QTest::newRow("file text") << false << u"S"_s << u"Olá, Zinc"_s;
    }
    void valuesReadBackAsWritten()
    {
        QFETCH(bool, inRegistry);
        QFETCH(QString, type);
        QFETCH(QString, text);
        const modRegistry settings(registry, profiles);
        const QString where = inRegistry ? u"HKCU"_s : file();
        const QString key = inRegistry ? u"Software\\Rivonel tests\\Key"_s : u"Key"_s;
        const modRegistry::Value value = type == u"D"_s   ? modRegistry::Value(text.toLongLong())
                                         : type == u"B"_s ? modRegistry::Value(true)
                                                          : modRegistry::Value(text);
        modRegistry::Value read;
        if (inRegistry)
            QCOMPARE(settings.ReadValue(where, key, u"Name"_s, type, {}, read), 2);
        QCOMPARE(settings.WriteValue(where, key, u"Name"_s, type, value), 0);
        QCOMPARE(settings.ReadValue(where, key.toUpper(), u"name"_s, type, {}, read), 0);
        QCOMPARE(modRegistry::toText(read), text);
    }

    // A file marked as the system's is no settings file.
    void aSystemFileIsNoSettingsFile()
    {
        const modRegistry settings(registry, profiles);
        QCOMPARE(settings.RootFromName(file()), modRegistry::settingsFile);
        QVERIFY(
            SetFileAttributesW(reinterpret_cast<LPCWSTR>(file().utf16()), FILE_ATTRIBUTE_SYSTEM));
        QCOMPARE(settings.RootFromName(file()), modRegistry::unknownLocation);
    }

    // Nothing opens .htm files: no browser, and no scratch file left behind.
    void noBrowserIsFoundWhereNoneIsRegistered()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".htm", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            QSKIP("a browser is registered here, and the test opens none");
        }
        SystemDesktop desktop;
        QCOMPARE(desktop.openWebAddress(u"https://rivonel.example"_s),
                 Desktop::WebOpenResult::NoBrowser);
        QVERIFY(!QFile::exists(u"C:\\temphtm.HTM"_s));
        QVERIFY(!QFile::exists(QDir::tempPath() + u"/temphtm.HTM"_s));
    }
};

QTEST_MAIN(TestPlatform)
// Only the Windows build runs moc on it; the MinGW compile check sees it without.
#if __has_include("test_platform.moc")
#include "test_platform.moc"
#endif
