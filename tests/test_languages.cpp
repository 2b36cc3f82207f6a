#include "core/settings/IniText.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

const QString shipped = QStringLiteral(RIVONEL_LANGUAGE_DIR);

// A language file whose captions all read "<tag> <number>".
QByteArray languageFile(const QByteArray &tag, QList<int> without = {})
{
    QByteArray text = "[Language]\n";
    for (int n = 1; n <= 51; ++n)
        if (!without.contains(n))
            text += "String" + QByteArray::number(n).rightJustified(2, '0') + '=' + tag + ' ' +
                    QByteArray::number(n) + '\n';
    return text;
}

struct LanguageFixture : WindowFixture {
    QString folder = programFile(u"language"_s);

    void add(const QString &relative, const QByteArray &bytes) const
    {
        writeAll(folder + u'/' + relative, bytes);
    }
    void saveLanguage(const QByteArray &name) const
    {
        writeAll(programFile(u"rivonel.ini"_s), "[General]\nLanguage=" + name + "\n");
    }
    QStringList entries() const
    {
        QStringList names;
        auto *list = control<QComboBox>("cboLang");
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        return names;
    }
    QString selected() const { return control<QComboBox>("cboLang")->currentText(); }
    QString caption(const char *name) const
    {
        return window->findChild<QWidget *>(QString::fromLatin1(name))->property("text").toString();
    }
    QStringList items(const char *list) const
    {
        QStringList names;
        auto *combo = control<QComboBox>(list);
        for (int i = 0; i < combo->count(); ++i)
            names << combo->itemText(i);
        return names;
    }
};

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Listing and choosing
    void savedLanguageIsListedAndApplied()
    {
        LanguageFixture f;
        f.add(u"Portugues.ini"_s, languageFile("pt"));
        f.add(u"English.ini"_s, languageFile("en"));
        f.saveLanguage("Portugues");
        f.window->Form_Load();
        QCOMPARE(f.entries(), (QStringList{u"English"_s, u"Portugues"_s}));
        QCOMPARE(f.selected(), u"Portugues"_s);
        QCOMPARE(f.caption("cmdPlay"), u"pt 2"_s);
        QCOMPARE(f.caption("cmdProcuraRoms"), u"pt 8"_s);
        QCOMPARE(f.caption("lblSoundFilterCutoff"), u"pt 40"_s);
        QCOMPARE(f.control<QTabWidget>("abas")->tabText(2), u"pt 31"_s);
        QCOMPARE(f.control<QTabWidget>("abas")->tabText(0), u"Vídeo"_s);
        QCOMPARE(f.caption("chkEnableKeys"), u"Ligar Teclas"_s);
        QCOMPARE(f.items("cboScanLines"), (QStringList{u"pt 14"_s, u"pt 15"_s, u"pt 16"_s}));
        QCOMPARE(f.items("cboTextureQuality").first(), u"pt 10"_s);
        QCOMPARE(f.window->languageTexts().text(44), u"pt 44"_s);
    }

    void withoutASavedLanguageTheFirstIsApplied()
    {
        LanguageFixture f;
        f.add(u"b.ini"_s, languageFile("b"));
        f.add(u"A.ini"_s, languageFile("a"));
        f.window->Form_Load();
        QCOMPARE(f.selected(), u"A"_s);
        QCOMPARE(f.caption("cmdPlay"), u"a 2"_s);
    }

    void extensionsAreRemovedExactly()
    {
        LanguageFixture f;
        f.add(u"A.ini.ini"_s, languageFile("double"));
        f.add(u"A.ini"_s, languageFile("a"));
        f.add(u"B.INI"_s, languageFile("upper"));
        f.window->Form_Load();
        QCOMPARE(f.entries(), (QStringList{u"A"_s, u"A"_s, u"B.INI"_s}));
        // A.ini.ini is listed as A and reads A.ini.
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), u"a 2"_s);
        // B.INI reads B.INI.ini, which does not exist: every text is empty.
        f.control<QComboBox>("cboLang")->setCurrentIndex(2);
        QCOMPARE(f.caption("cmdPlay"), QString());
        QCOMPARE(f.caption("lblLanguage"), QString());
        QCOMPARE(f.items("cboScanLines"), QStringList(3, QString()));
        QCOMPARE(f.items("cboTextureQuality"),
                 (QStringList{QString(), u"4 bit"_s, u"5 bit"_s, u"8 bit"_s}));
    }

    void subfolderEntriesAndTheLastEqualOne()
    {
        LanguageFixture f;
        f.add(u"X.ini"_s, languageFile("x"));
        f.add(u"s1/X.ini"_s, languageFile("x1"));
        f.add(u"s2/X.ini"_s, languageFile("x2"));
        f.add(u"s2/deeper/Klingon.ini"_s, languageFile("kl"));
        f.saveLanguage("X");
        f.window->Form_Load();
        QCOMPARE(f.entries(), (QStringList{u"X"_s, u"X"_s, u"X"_s, u"Klingon"_s}));
        QCOMPARE(f.control<QComboBox>("cboLang")->currentIndex(), 2);
        // Entries from below read the file of that name at the top, if any.
        QCOMPARE(f.caption("cmdPlay"), u"x 2"_s);
        f.control<QComboBox>("cboLang")->setCurrentIndex(3);
        QCOMPARE(f.caption("cmdPlay"), QString());

        // A saved language found only below: the first entry is applied at the
        // top, which replaces the name, so the later one no longer matches.
        LanguageFixture g;
        g.add(u"English.ini"_s, languageFile("en"));
        g.add(u"sub/Portugues.ini"_s, languageFile("pt"));
        g.saveLanguage("Portugues");
        g.window->Form_Load();
        QCOMPARE(g.selected(), u"English"_s);
        QCOMPARE(g.caption("cmdPlay"), u"en 2"_s);
    }

    void aFolderLinkedBackIntoItselfEndsTheSearch()
    {
        LanguageFixture f;
        f.add(u"English.ini"_s, languageFile("en"));
        QVERIFY(QDir().mkpath(f.folder + u"/sub"_s));
        QVERIFY(QFile::link(f.folder, f.folder + u"/sub/loop"_s));
        f.window->Form_Load();
        QCOMPARE(f.entries(), QStringList{u"English"_s});
    }

    // --- Applying a language
    void switchingKeepsPositionsAndValues()
    {
        LanguageFixture f;
        f.add(u"A.ini"_s, languageFile("a"));
        f.add(u"B.ini"_s, languageFile("b", {14}));
        f.window->Form_Load();
        f.control<QComboBox>("cboScanLines")->setCurrentIndex(0);
        f.control<QComboBox>("cboTextureQuality")->setCurrentIndex(2);
        f.control<ValueCheckBox>("chkFullScreen")->setValue(1);
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.items("cboScanLines").first(), QString());
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), 0);
        QCOMPARE(f.control<QComboBox>("cboTextureQuality")->currentIndex(), 2);
        QCOMPARE(f.control<ValueCheckBox>("chkFullScreen")->value(), 1);
        QCOMPARE(f.caption("chkFullScreen"), u"b 38"_s);
        f.control<QComboBox>("cboScanLines")->setCurrentIndex(-1);
        f.control<QComboBox>("cboLang")->setCurrentIndex(0);
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), -1);
    }

    void oldCodePageAndUtf8FilesReadAlike()
    {
        LanguageFixture f;
        const QByteArray utf8 = "[Language]\nString02=Começar\nString10=Padrão\n";
        f.add(u"Utf.ini"_s, utf8);
        f.add(u"Win.ini"_s, "[Language]\nString02=Come\xe7"
                            "ar\nString10=Padr\xe3o\n");
        f.window->Form_Load();
        QCOMPARE(f.caption("cmdPlay"), u"Começar"_s);
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), u"Começar"_s);
        QCOMPARE(f.items("cboTextureQuality").first(), u"Padrão"_s);
    }

    void withoutLanguageFilesTheDesignTextsStay()
    {
        LanguageFixture f; // no language folder at all
        f.window->Form_Load();
        QVERIFY(f.entries().isEmpty());
        QCOMPARE(f.caption("cmdPlay"), u"Jogar"_s);
        QCOMPARE(f.control<QComboBox>("cboScanLines")->count(), 3);
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), 0);

        LanguageFixture g; // a folder with languages only below it
        g.add(u"sub/English.ini"_s, languageFile("en"));
        g.window->Form_Load();
        QCOMPARE(g.selected(), u"English"_s);
        QCOMPARE(g.control<QComboBox>("cboTextureQuality")->count(), 4);
    }

    void messagesFollowALanguageChangeAtOnce()
    {
        LanguageFixture f;
        QVERIFY(QDir().mkpath(f.folder));
        for (const QString &name : {u"English.ini"_s, u"Portugues.ini"_s})
            QVERIFY(QFile::copy(shipped + u'/' + name, f.folder + u'/' + name));
        f.saveLanguage("English");
        f.window->Form_Load();
        f.set({{"txtRomDir", f.programDirectory.path()},
               {"txtZincDir", f.programDirectory.path()},
               {"lstGames", 0}});
        f.control<QPushButton>("cmdPlay")->click();
        QCOMPARE(f.control<LogBox>("txtlog")->text(),
                 u"Could not find sfex.zip in the ROM directory."_s);
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), u"Jogar"_s);
        f.control<QPushButton>("cmdPlay")->click();
        QCOMPARE(f.control<LogBox>("txtlog")->text(),
                 u"Não foi encontrado sfex.zip no diretório de Roms."_s);
    }

    // --- The shipped languages
    void shippedLanguagesHaveEveryKeyAndWholeSentences_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"English.ini", "Portugues.ini", "Espanol.ini"})
            QTest::newRow(name) << shipped + u'/' + QString::fromLatin1(name);
    }

    void shippedLanguagesHaveEveryKeyAndWholeSentences()
    {
        QFETCH(QString, file);
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QString text = ini::decode(in.readAll());
        const auto t = [&](int n) {
            return ini::read(text, u"Language"_s, u"String%1"_s.arg(n, 2, 10, QLatin1Char('0')));
        };
        for (int n = 1; n <= 51; ++n) {
            QVERIFY2(t(n).has_value(), qPrintable(QString::number(n)));
            QCOMPARE(text.count(u"String%1="_s.arg(n, 2, 10, QLatin1Char('0'))), 1);
            const bool unused = n == 3 || n == 11;
            QVERIFY2(t(n)->isEmpty() == unused, qPrintable(QString::number(n)));
        }
        // The pieces that sentences are built from join with the blanks the
        // program puts between them: none may bring its own, except the end
        // of String51, which runs straight into the archive name.
        for (int n : {1, 41, 42, 43, 47, 48, 50})
            QVERIFY2(*t(n) == t(n)->trimmed(), qPrintable(QString::number(n)));
        QVERIFY(t(51)->endsWith(u' ') && !t(51)->startsWith(u' '));
        for (int n : {39, 43, 44, 47, 49})
            QVERIFY2(t(n)->endsWith(u'.'), qPrintable(QString::number(n)));
        QVERIFY(!t(41)->endsWith(u'.'));
    }
};

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"
