// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/languages/LanguageSearch.h"
#include "core/settings/IniDocument.h"
#include "window/LinkLabel.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QPushButton>

#include <optional>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

const QString shipped = QStringLiteral(RIVONEL_LANGUAGE_DIR);

// A language file whose texts all read "<tag> <number>", but for the left out ones.
QByteArray languageFile(const QByteArray &tag, QList<int> without = {})
{
    QByteArray text = "[Language]\n";
    for (int n = 1; n <= 51; ++n)
        if (!without.contains(n))
            text += "String" + QByteArray::number(n).rightJustified(2, '0') + '=' + tag + ' ' +
                    QByteArray::number(n) + '\n';
    return text;
}

// What a screen reader calls a control: its label, else its name (a list's is its value).
QString heardName(QWidget *control)
{
    QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(control);
    const auto labels = heard->relations(QAccessible::Label);
    return !labels.isEmpty()                    ? labels.first().first->text(QAccessible::Name)
           : qobject_cast<QComboBox *>(control) ? QString()
                                                : heard->text(QAccessible::Name);
}

QStringList items(const QComboBox *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

} // namespace

class TestLanguages : public WindowTest {
    Q_OBJECT
    void addLanguage(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(writeAll(f->programFile(u"language/"_s + name), bytes));
    }

private Q_SLOTS:
    void theSavedLanguageOrTheFirstIsChosen()
    {
        using L = QList<QStringList>;
        const std::tuple<L, QString, int> cases[] = {
            {L{{u"English"_s, u"Portugues"_s}}, u"Portugues"_s, 1},
            {L{{u"A"_s, u"b"_s}}, QString(), 0},
            {L{{u"A"_s, u"b"_s}}, u"Klingon"_s, 0},
            // The last entry of the saved name, through the subfolders.
            {L{{u"X"_s}, {u"X"_s}, {u"X"_s, u"K"_s}}, u"X"_s, 2},
            // The top folder's first entry is applied first and takes the name.
            {L{{u"English"_s}, {u"Portugues"_s}}, u"Portugues"_s, 0},
            {L{{}, {u"English"_s}}, u"Portugues"_s, 0},
            {L{{}}, u"English"_s, -1}};
        for (const auto &[folders, saved, selected] : cases)
            QCOMPARE(chooseLanguage(folders, saved).selected, selected);
    }

    void theSearchListsFilesFirstThenSubfoldersOnce()
    {
        const QString root = f->programFile(u"language"_s);
        for (const char *name : {"B.INI", "A.ini.ini", "A.ini", "notes.txt", "sub/X.ini",
                                 "sub/deeper/K.ini", "zz/.hidden.ini"})
            QVERIFY(writeAll(root + u'/' + QLatin1String(name)));
        // A link back to the top would never end the search.
        QVERIFY(QFile::link(root, root + u"/sub/loop"_s));
        int pauses = 0;
        QCOMPARE(
            ProcuraArquivos(root + u'/', u"*.ini"_s, [&] { ++pauses; }),
            (QList<QStringList>{{u"A"_s, u"A"_s, u"B.INI"_s}, {u"X"_s}, {u"K"_s}, {u".hidden"_s}}));
        QVERIFY(pauses >= 7);
    }

    void shippedLanguagesHaveEveryKeyAndWholeSentences()
    {
        for (const char *name : {"English.ini", "Portugues.ini", "Espanol.ini"}) {
            const QByteArray bytes = readAll(shipped + u'/' + QLatin1String(name));
            const IniDocument file = IniDocument::fromBytes(bytes);
            const QString text = QString::fromUtf8(bytes);
            const auto t = [&](int n) {
                return file.value(u"Language"_s, LanguageTextTable::keyName(n));
            };
            const auto at = [&](int n) { return QByteArray(name) + ' ' + QByteArray::number(n); };
            const auto places = [](const QString &text) {
                return QList<qsizetype>{text.count(u"%1"), text.count(u"%2")};
            };
            for (int n = 1; n <= LanguageTextTable::count; ++n) {
                if (n > LanguageTextTable::baseCount && LanguageTextTable().text(n).isEmpty())
                    continue; // a number no text uses
                QVERIFY2(t(n).has_value(), at(n).constData());
                QCOMPARE(text.count(LanguageTextTable::keyName(n) + u'='), 1);
                QVERIFY2(t(n)->isEmpty() == (n == 3 || n == 11), at(n).constData());
                // A translation carries the English text's places for names.
                QCOMPARE(places(*t(n)), places(LanguageTextTable().text(n)));
            }
            // The pieces sentences are built from join with the blanks the program
            // puts between them; only String51 runs straight into the archive name.
            for (int n : {1, 41, 42, 43, 47, 48, 50})
                QVERIFY2(*t(n) == t(n)->trimmed(), at(n).constData());
            QVERIFY(t(51)->endsWith(u' ') && !t(51)->startsWith(u' '));
            for (int n : {39, 43, 44, 47, 49})
                QVERIFY2(t(n)->endsWith(u'.'), at(n).constData());
        }
    }

    // A language file that is no ordinary file is not read, at the start or
    // when chosen: the user is told which and why, and the window goes on in
    // English, never blank.
    void aLanguageThatIsNoFileIsNotReadAndTheUserToldWhy_data() { specialFileRows(); }

    void aLanguageThatIsNoFileIsNotReadAndTheUserToldWhy()
    {
        QFETCH(QString, kind);
        const QString odd = f->programFile(u"language/Odd.ini"_s);
        QVERIFY(QDir().mkpath(QFileInfo(odd).path()));
        // A folder of that name is searched as a folder: a language in it lends the name.
        if (kind == u"directory"_s)
            addLanguage(u"Odd.ini/Odd.ini"_s, languageFile("odd"));
        else
            QVERIFY(putSpecialFile(kind, odd));
        addLanguage(u"zz/English.ini"_s, languageFile("en"));
        loadWith("[General]\nLanguage=Odd\n");
        frmPrincipal &w = *f->window;
        QCOMPARE(items(w.cboLang), (QStringList{u"Odd"_s, u"English"_s}));
        QCOMPARE(w.cboLang->currentIndex(), 0);
        const QString told = u"The file %1 was not read: it is a folder, a pipe or a device, not "
                             "an ordinary file."_s.arg(odd);
        QVERIFY2(f->log().endsWith(u"\r\n"_s + told), qPrintable(f->log()));
        QCOMPARE((QStringList{w.cmdPlay->text(), w.chkSound->text(), w.lblZincDir->text(),
                              w.abas->tabText(2), w.cmdProcuraZinc->text()}),
                 (QStringList{u"Play"_s, u"Enable sound"_s, u"Zinc directory:"_s, u"General"_s,
                              u"Browse"_s}));
        QCOMPARE(items(w.cboScanLines), (QStringList{u"None"_s, u"Light"_s, u"Strong"_s}));

        w.cboLang->setCurrentIndex(1);
        w.cboLang->setCurrentIndex(0);
        QCOMPARE(f->log().count(told), 2);
        QVERIFY(f->log().endsWith(told));
    }

    // In each shipped language every caption fits and every control taking the focus is named.
    void everyCaptionFitsAndEveryControlIsNamed_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"English", "Portugues", "Espanol"})
            QTest::addRow("%s", language) << QString::fromLatin1(language);
    }

    void everyCaptionFitsAndEveryControlIsNamed()
    {
        QFETCH(QString, language);
        addLanguage(language + u".ini"_s, readAll(shipped + u'/' + language + u".ini"_s));
        loadWith("[General]\nLanguage=" + language.toLatin1());
        QVERIFY(showActive());
        frmPrincipal &w = *f->window;
        for (int tab = 0; tab < w.abas->count(); ++tab) {
            w.abas->setCurrentIndex(tab);
            for (QWidget *control : w.findChildren<QWidget *>()) {
                // A field's own icons (a mark, a clear button) are the field's to size.
                if (!control->isVisible() || control->parentWidget()->inherits("QLineEdit"))
                    continue;
                const QByteArray what = control->objectName().toLatin1();
#ifndef Q_OS_WIN // under wine the window has none of Windows' fonts to measure with
                // A label that wraps its lines fits in any width given the height.
                if (const auto *label = qobject_cast<QLabel *>(control); label && label->wordWrap())
                    QVERIFY2(control->height() >= control->heightForWidth(control->width()),
                             what.constData());
                else if (control->inherits("QLabel") || control->inherits("QAbstractButton") ||
                         control->inherits("QComboBox"))
                    QVERIFY2(control->width() >= control->sizeHint().width() &&
                                 control->height() >= control->minimumSizeHint().height(),
                             what.constData());
#endif
                if (control->focusPolicy() & Qt::TabFocus)
                    QVERIFY2(!heardName(control).isEmpty(), what.constData());
            }
        }
        QVERIFY(heardName(w.cmdProcuraZinc) != heardName(w.cmdProcuraRoms));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.lblSite)->role(), QAccessible::Link);
    }

    // --- Applying a language to the window
    void theChosenLanguageCaptionsTheWindowAndKeepsItsChoices()
    {
        // A language named in its own words, as its file gives them.
        addLanguage(u"Portugues.ini"_s,
                    languageFile("pt").replace("[Language]\n", "[Language]\nName= Português \n"));
        addLanguage(u"English.ini"_s, languageFile("en", {14}));
        // Zinc without its plug-ins, and the game's archive.
        const QString zinc = f->programPath + u"/zinc"_s, roms = f->programPath + u"/roms"_s;
        QVERIFY(writeAll(zinc + u'/' + f->desktop.platform.emulatorFileName) &&
                writeAll(roms + u"/sfex.zip"_s));
        f->desktop.soundDevices = 0;
        loadWith(
            u"[General]\nLanguage=Portugues\nZincPath=%1\nRomPath=%2\n"_s.arg(zinc, roms).toUtf8());
        frmPrincipal &w = *f->window;
        // What start-up said follows a switch of language, and back.
        QVERIFY(f->log().endsWith(u"\r\npt 39"_s));
        w.cboLang->setCurrentIndex(0);
        QVERIFY(f->log().endsWith(u"\r\nen 39"_s) &&
                w.txtlog->toPlainText().endsWith(u"\nen 39"_s));
        w.cboLang->setCurrentIndex(1);
        QCOMPARE(items(w.cboLang), (QStringList{u"English"_s, u"Português"_s}));
        QCOMPARE(w.currentOptions().language, (ListChoice{1, u"Portugues"_s}));
        QCOMPARE((QStringList{w.cmdPlay->text(), w.cmdProcuraZinc->text(), w.cmdProcuraRoms->text(),
                              w.lblSoundFilterCutoff->text(), w.chkSound->text(),
                              w.abas->tabText(2), w.abas->tabText(0), w.chkEnableKeys->text(),
                              w.lblZincDir->text(), w.lblResolution->text()}),
                 (QStringList{u"pt 2"_s, u"pt 8"_s, u"pt 8"_s, u"pt 40"_s, u"pt 5"_s, u"pt 31"_s,
                              u"Video"_s, u"Enable keys"_s, u"pt 6"_s, u"pt 22"_s})); // 52: English
        QCOMPARE(items(w.cboScanLines), (QStringList{u"pt 14"_s, u"pt 15"_s, u"pt 16"_s}));
        QCOMPARE(items(w.cboTextureQuality).first(), u"pt 10"_s);

        // Switching renames the language's list items and keeps every choice.
        w.cboScanLines->setCurrentIndex(0);
        w.cboTextureQuality->setCurrentIndex(2);
        w.chkFullScreen->setValue(1);
        w.cboLang->setCurrentIndex(0);
        QCOMPARE(items(w.cboScanLines), (QStringList{QString(), u"en 15"_s, u"en 16"_s}));
        QCOMPARE(w.cboScanLines->currentIndex() + w.cboTextureQuality->currentIndex(), 2);
        QCOMPARE(w.chkFullScreen->text() + QString::number(w.chkFullScreen->value()), u"en 381"_s);
        w.cboScanLines->setCurrentIndex(-1);
        w.cboLang->setCurrentIndex(1);
        QCOMPARE(w.cboScanLines->currentIndex(), -1);

        // Messages are built from the language chosen when they are written.
        f->select(0);
        w.cmdPlay->click();
        QVERIFY2(f->log().startsWith(u"pt 42 ogl_renderer.znc pt 47 "_s), qPrintable(f->log()));
        // What the launch found is worded again, with no new look at the folder.
        QVERIFY(writeAll(zinc + u"/ogl_renderer.znc"_s));
        w.cboLang->setCurrentIndex(0);
        QVERIFY2(f->log().startsWith(u"en 42 ogl_renderer.znc en 47 "_s), qPrintable(f->log()));
        f->select(1);
        QCOMPARE(f->log(), u"en 1: 2 - Street Fighter EX (ASIA)"_s);
        w.cboLang->setCurrentIndex(1);
        QCOMPARE(f->log(), u"pt 1: 2 - Street Fighter EX (ASIA)"_s);
        // The options of all games follow a switch made in a game's view.
        w.cboLang->setCurrentIndex(0);
        w.cboScanLines->setCurrentIndex(1);
        w.cboScope->setCurrentIndex(1);
        QTest::keyClick(w.cboScanLines, Qt::Key_Down); // the game's own, in English
        w.cboLang->setCurrentIndex(1);
        QCOMPARE(w.gameOptions().optionsOf(1).scanLines, (ListChoice{2, u"pt 16"_s}));
        // What is kept is the file's name.
        QVERIFY(w.close());
        const QByteArray kept = readAll(iniPath());
        QVERIFY(kept.contains("\nLanguage=Portugues\n") && kept.contains("\nScanlines=pt 15\n"));
        QVERIFY(readAll(f->files().gameOptions).contains("\nScanlines=pt 16"));
    }
};

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"
