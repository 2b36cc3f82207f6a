#include "app/LogBox.h"
#include "app/ValueCheckBox.h"
#include "settings/IniText.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

using namespace rivonel;
using namespace rivonel::test;

namespace {

const QString shipped = QStringLiteral(RIVONEL_LANGUAGE_DIR);

void writeAll(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
    QString folder = programFile(QStringLiteral("language"));

    void add(const QString &relative, const QByteArray &bytes) const
    {
        writeAll(folder + u'/' + relative, bytes);
    }
    void saveLanguage(const QByteArray &name) const
    {
        writeAll(programFile(QStringLiteral("rivonel.ini")), "[General]\nLanguage=" + name + "\n");
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
        f.add(QStringLiteral("Portugues.ini"), languageFile("pt"));
        f.add(QStringLiteral("English.ini"), languageFile("en"));
        f.saveLanguage("Portugues");
        f.window->Form_Load();
        QCOMPARE(f.entries(),
                 (QStringList{QStringLiteral("English"), QStringLiteral("Portugues")}));
        QCOMPARE(f.selected(), QStringLiteral("Portugues"));
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("pt 2"));
        QCOMPARE(f.caption("cmdProcuraRoms"), QStringLiteral("pt 8"));
        QCOMPARE(f.caption("lblSoundFilterCutoff"), QStringLiteral("pt 40"));
        QCOMPARE(f.control<QTabWidget>("abas")->tabText(2), QStringLiteral("pt 31"));
        QCOMPARE(f.control<QTabWidget>("abas")->tabText(0), QStringLiteral("Vídeo"));
        QCOMPARE(f.caption("chkEnableKeys"), QStringLiteral("Ligar Teclas"));
        QCOMPARE(f.items("cboScanLines"),
                 (QStringList{QStringLiteral("pt 14"), QStringLiteral("pt 15"),
                              QStringLiteral("pt 16")}));
        QCOMPARE(f.items("cboTextureQuality").first(), QStringLiteral("pt 10"));
        QCOMPARE(f.window->languageTexts().text(44), QStringLiteral("pt 44"));
    }

    void withoutASavedLanguageTheFirstIsApplied()
    {
        LanguageFixture f;
        f.add(QStringLiteral("b.ini"), languageFile("b"));
        f.add(QStringLiteral("A.ini"), languageFile("a"));
        f.window->Form_Load();
        QCOMPARE(f.selected(), QStringLiteral("A"));
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("a 2"));
    }

    void extensionsAreRemovedExactly()
    {
        LanguageFixture f;
        f.add(QStringLiteral("A.ini.ini"), languageFile("double"));
        f.add(QStringLiteral("A.ini"), languageFile("a"));
        f.add(QStringLiteral("B.INI"), languageFile("upper"));
        f.window->Form_Load();
        QCOMPARE(f.entries(),
                 (QStringList{QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B.INI")}));
        // A.ini.ini is listed as A and reads A.ini.
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("a 2"));
        // B.INI reads B.INI.ini, which does not exist: every text is empty.
        f.control<QComboBox>("cboLang")->setCurrentIndex(2);
        QCOMPARE(f.caption("cmdPlay"), QString());
        QCOMPARE(f.caption("lblLanguage"), QString());
        QCOMPARE(f.items("cboScanLines"), QStringList(3, QString()));
        QCOMPARE(f.items("cboTextureQuality"),
                 (QStringList{QString(), QStringLiteral("4 bit"), QStringLiteral("5 bit"),
                              QStringLiteral("8 bit")}));
    }

    void subfolderEntriesReadTheTopFolderFile()
    {
        LanguageFixture f;
        f.add(QStringLiteral("English.ini"), languageFile("en"));
        f.add(QStringLiteral("more/Klingon.ini"), languageFile("kl"));
        f.add(QStringLiteral("more/deeper/English.ini"), languageFile("deep"));
        f.window->Form_Load();
        QCOMPARE(f.entries(), (QStringList{QStringLiteral("English"), QStringLiteral("Klingon"),
                                           QStringLiteral("English")}));
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), QString());
        f.control<QComboBox>("cboLang")->setCurrentIndex(2);
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("en 2"));
    }

    void lastEqualEntryWinsButOnlyWhileTheNameStillMatches()
    {
        LanguageFixture f;
        f.add(QStringLiteral("X.ini"), languageFile("x"));
        f.add(QStringLiteral("s1/X.ini"), languageFile("x1"));
        f.add(QStringLiteral("s2/X.ini"), languageFile("x2"));
        f.saveLanguage("X");
        f.window->Form_Load();
        QCOMPARE(f.control<QComboBox>("cboLang")->currentIndex(), 2);

        // A saved language found only below: the first entry is applied at the
        // top, which replaces the name, so the later one no longer matches.
        LanguageFixture g;
        g.add(QStringLiteral("English.ini"), languageFile("en"));
        g.add(QStringLiteral("sub/Portugues.ini"), languageFile("pt"));
        g.saveLanguage("Portugues");
        g.window->Form_Load();
        QCOMPARE(g.selected(), QStringLiteral("English"));
        QCOMPARE(g.caption("cmdPlay"), QStringLiteral("en 2"));
    }

    void aFolderLinkedBackIntoItselfEndsTheSearch()
    {
        LanguageFixture f;
        f.add(QStringLiteral("English.ini"), languageFile("en"));
        QVERIFY(QDir().mkpath(f.folder + QStringLiteral("/sub")));
        QVERIFY(QFile::link(f.folder, f.folder + QStringLiteral("/sub/loop")));
        f.window->Form_Load();
        QCOMPARE(f.entries(), QStringList{QStringLiteral("English")});
    }

    // --- Applying a language
    void switchingKeepsPositionsAndValues()
    {
        LanguageFixture f;
        f.add(QStringLiteral("A.ini"), languageFile("a"));
        f.add(QStringLiteral("B.ini"), languageFile("b", {14}));
        f.window->Form_Load();
        f.control<QComboBox>("cboScanLines")->setCurrentIndex(0);
        f.control<QComboBox>("cboTextureQuality")->setCurrentIndex(2);
        f.control<ValueCheckBox>("chkFullScreen")->setValue(1);
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.items("cboScanLines").first(), QString());
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), 0);
        QCOMPARE(f.control<QComboBox>("cboTextureQuality")->currentIndex(), 2);
        QCOMPARE(f.control<ValueCheckBox>("chkFullScreen")->value(), 1);
        QCOMPARE(f.caption("chkFullScreen"), QStringLiteral("b 38"));
        f.control<QComboBox>("cboScanLines")->setCurrentIndex(-1);
        f.control<QComboBox>("cboLang")->setCurrentIndex(0);
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), -1);
    }

    void oldCodePageAndUtf8FilesReadAlike()
    {
        LanguageFixture f;
        const QByteArray utf8 = "[Language]\nString02=Começar\nString10=Padrão\n";
        f.add(QStringLiteral("Utf.ini"), utf8);
        f.add(QStringLiteral("Win.ini"), "[Language]\nString02=Come\xe7"
                                         "ar\nString10=Padr\xe3o\n");
        f.window->Form_Load();
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("Começar"));
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("Começar"));
        QCOMPARE(f.items("cboTextureQuality").first(), QStringLiteral("Padrão"));
    }

    void withoutLanguageFilesTheDesignTextsStay()
    {
        LanguageFixture f; // no language folder at all
        f.window->Form_Load();
        QVERIFY(f.entries().isEmpty());
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("Jogar"));
        QCOMPARE(f.control<QComboBox>("cboScanLines")->count(), 3);
        QCOMPARE(f.control<QComboBox>("cboScanLines")->currentIndex(), 0);

        LanguageFixture g; // a folder with languages only below it
        g.add(QStringLiteral("sub/English.ini"), languageFile("en"));
        g.window->Form_Load();
        QCOMPARE(g.selected(), QStringLiteral("English"));
        QCOMPARE(g.control<QComboBox>("cboTextureQuality")->count(), 4);
    }

    void messagesFollowALanguageChangeAtOnce()
    {
        LanguageFixture f;
        for (const char *name : {"English.ini", "Portugues.ini"})
            QVERIFY(QFile::copy(shipped + u'/' + QString::fromLatin1(name),
                                f.folder + u'/' + QString::fromLatin1(name)) ||
                    (QDir().mkpath(f.folder) &&
                     QFile::copy(shipped + u'/' + QString::fromLatin1(name),
                                 f.folder + u'/' + QString::fromLatin1(name))));
        f.saveLanguage("English");
        f.window->Form_Load();
        f.control<QLineEdit>("txtRomDir")->setText(f.programDirectory.path());
        f.control<QLineEdit>("txtZincDir")->setText(f.programDirectory.path());
        f.control<QListWidget>("lstGames")->item(0)->setSelected(true);
        f.control<QPushButton>("cmdPlay")->click();
        QCOMPARE(f.control<LogBox>("txtlog")->text(),
                 QStringLiteral("Could not find sfex.zip in the ROM directory."));
        f.control<QComboBox>("cboLang")->setCurrentIndex(1);
        QCOMPARE(f.caption("cmdPlay"), QStringLiteral("Jogar"));
        f.control<QPushButton>("cmdPlay")->click();
        QCOMPARE(f.control<LogBox>("txtlog")->text(),
                 QStringLiteral("Não foi encontrado sfex.zip no diretório de Roms."));
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
            return ini::read(text, QStringLiteral("Language"),
                             QStringLiteral("String%1").arg(n, 2, 10, QLatin1Char('0')));
        };
        for (int n = 1; n <= 51; ++n) {
            QVERIFY2(t(n).has_value(), qPrintable(QString::number(n)));
            QCOMPARE(text.count(QStringLiteral("String%1=").arg(n, 2, 10, QLatin1Char('0'))), 1);
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
