#include "core/system/ProgramInfo.h"
#include "window/ImageList.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace rivonel;
using namespace rivonel::test;

namespace {

constexpr int onWindow = -1;

struct Expected {
    const char *name;
    const char *kind; // Qt class the control must be
    int place;        // onWindow, or the tab index of abas
    const char *text; // design-time text, where the kind has one
};

// The window's controls as a user meets them before start-up fills anything.
// Lists and the log box have no "text" and are expected empty.
const Expected controlTable[] = {
    {"lstGames", "QListWidget", onWindow, ""},
    {"Picture1", "QLabel", onWindow, nullptr},
    {"ImageList1", "rivonel::ImageList", onWindow, nullptr},
    {"cmdPlay", "QPushButton", onWindow, "Jogar"},
    {"abas", "QTabWidget", onWindow, nullptr},
    {"lblLanguage", "QLabel", onWindow, "Language:"},
    {"cboLang", "QComboBox", onWindow, ""},
    {"lblSite", "QLabel", onWindow, nullptr},
    {"txtlog", "rivonel::LogBox", onWindow, ""},
    {"Timer1", "QTimer", onWindow, nullptr},
    {"lblRenderer", "QLabel", 0, "Renderização:"},
    {"cboRend", "QComboBox", 0, ""},
    {"lblResolution", "QLabel", 0, "Resolução:"},
    {"cboResolution", "QComboBox", 0, ""},
    {"lblColorDepth", "QLabel", 0, "Taxa de Cor:"},
    {"cboColorDepth", "QComboBox", 0, ""},
    {"lblScanlines", "QLabel", 0, "Scanlines:"},
    {"cboScanLines", "QComboBox", 0, ""},
    {"lblTextureFiltering", "QLabel", 0, "Filtrar texturas:"},
    {"cboTextureFiltering", "QComboBox", 0, ""},
    {"lblTextureQuality", "QLabel", 0, "Qualidade:"},
    {"cboTextureQuality", "QComboBox", 0, ""},
    {"lblTextureCaching", "QLabel", 0, "Cache"},
    {"cboTextureCaching", "QComboBox", 0, ""},
    {"lblFrameRate", "QLabel", 0, "Taxa de Frames:"},
    {"txtFrameRate", "QLineEdit", 0, "100"},
    {"lblTurnDisplay", "QLabel", 0, "Mudar tela:"},
    {"cboTurnDisplay", "QComboBox", 0, ""},
    {"lblBlending", "QLabel", 0, "Brilho:"},
    {"cboBlending", "QComboBox", 0, ""},
    {"chkFullScreen", "rivonel::ValueCheckBox", 0, "Tela Inteira"},
    {"chkShowFPS", "rivonel::ValueCheckBox", 0, "Mostrar FPS"},
    {"chkFrameSkip", "rivonel::ValueCheckBox", 0, "FrameSkip"},
    {"chkFrameSkipAuto", "rivonel::ValueCheckBox", 0, "Auto"},
    {"chkFrameLimit", "rivonel::ValueCheckBox", 0, "Limitar Frames"},
    {"chkDithering", "rivonel::ValueCheckBox", 0, "Dithering"},
    {"chkEnableKeys", "rivonel::ValueCheckBox", 0, "Ligar Teclas"},
    {"chkSound", "rivonel::ValueCheckBox", 1, "Habilitar Som"},
    {"chkSoundFilter", "rivonel::ValueCheckBox", 1, "Filtrar Som"},
    {"lblSoundFilterCutoff", "QLabel", 1, "Corte:"},
    {"txtSoundFilterCutoff", "QLineEdit", 1, "22050"},
    {"chkStereoExciter", "rivonel::ValueCheckBox", 1, "Stereo"},
    {"chkSurroundLite", "rivonel::ValueCheckBox", 1, "Surround"},
    {"chkSurroundLiteMultiplier", "rivonel::ValueCheckBox", 1, "Multiplicador de surround"},
    {"txtSurroundMultiplier", "QLineEdit", 1, "40"},
    {"lblZincDir", "QLabel", 2, "Diretório do Zinc:"},
    {"txtZincDir", "QLineEdit", 2, "C:\\Games\\Zinc"},
    {"cmdProcuraZinc", "QPushButton", 2, "Procurar"},
    {"lblRomDir", "QLabel", 2, "Diretório de Roms"},
    {"txtRomDir", "QLineEdit", 2, "C:\\Games\\Zinc\\Roms"},
    {"cmdProcuraRoms", "QPushButton", 2, "Procurar"},
    {"chkUseLowGeometry", "rivonel::ValueCheckBox", 2, "Usar baixa geometria"},
};

} // namespace

class TestWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- The window as built, before start-up
    void everyControlHasItsNameKindPlaceAndText()
    {
        WindowFixture f;
        auto *abas = f.control<QTabWidget>("abas");
        for (const Expected &row : controlTable) {
            QObject *control = f.window->findChild<QObject *>(QString::fromLatin1(row.name));
            QVERIFY2(control, row.name);
            QVERIFY2(control->inherits(row.kind), row.name);
            if (row.place == onWindow) {
                QVERIFY2(control->parent() == f.window.get(), row.name);
            } else {
                auto *widget = qobject_cast<QWidget *>(control);
                QVERIFY2(widget && abas->widget(row.place)->isAncestorOf(widget), row.name);
            }
            if (row.text)
                QCOMPARE(control->property("text").toString(), QString::fromUtf8(row.text));
            if (auto *list = qobject_cast<QComboBox *>(control))
                QVERIFY2(list->count() == 0, row.name);
            if (auto *box = qobject_cast<ValueCheckBox *>(control))
                QVERIFY2(box->value() == ValueCheckBox::Grayed, row.name);
            if (auto *widget = qobject_cast<QWidget *>(control))
                QVERIFY2(widget->isEnabled(), row.name);
        }
        QCOMPARE(std::size(controlTable), std::size_t(52));
        // Nothing else on the window carries a check box or a list by mistake.
        QCOMPARE(f.window->findChildren<ValueCheckBox *>().size(), 13);
        QCOMPARE(f.window->findChildren<QComboBox *>().size(), 10);
    }

    void windowHasItsTabsSizeLinkAndLogo()
    {
        WindowFixture f;
        auto *abas = f.control<QTabWidget>("abas");
        QCOMPARE(QStringList({abas->tabText(0), abas->tabText(1), abas->tabText(2)}).join(u'|'),
                 u"Vídeo|Audio|Geral"_s);
        QCOMPARE(abas->currentIndex(), 0);
        QCOMPARE(f.window->size(), QSize(758, 402));
        auto *site = f.control<QLabel>("lblSite");
        QCOMPARE(site->text(), webAddress());
        QVERIFY(site->font().bold() && site->font().underline());
        QCOMPARE(site->palette().color(QPalette::WindowText), QColor(Qt::blue));
        const QImage logo = f.control<ImageList>("ImageList1")->image(0);
        QCOMPARE(logo.size(), QSize(320, 240));
        QCOMPARE(f.control<QLabel>("Picture1")->pixmap().toImage(),
                 QPixmap::fromImage(logo).toImage());
        QCOMPARE(f.control<QTimer>("Timer1")->interval(), 1000);
        QVERIFY(!f.control<QTimer>("Timer1")->isActive());
    }

    // --- Start-up
    void startupWritesTitleAndExactlyTwoLogLines()
    {
        WindowFixture f;
        f.window->Form_Load();
        QCOMPARE(f.window->windowTitle(), u"Rivonel 0.0.3 for Zinc 0.9"_s);
        QCOMPARE(f.control<LogBox>("txtlog")->text(),
                 f.window->windowTitle() + u"\r\n"_s + webAddress());
        QVERIFY(!f.control<QTimer>("Timer1")->isActive());
    }

    void startupFillsTheListsAtTheirStartPositions()
    {
        WindowFixture f;
        f.window->Form_Load();
        const struct {
            const char *name;
            const char *items;
            int position;
        } lists[] = {
            {"cboRend", "Direct3D|OpenGL|Software|Glide", 0},
            {"cboResolution", "320x240|512x384|640x480|800x600|1024x768|1280x1024", 2},
            {"cboColorDepth", "16|32", 0},
            {"cboTextureFiltering", "0|1|2|3", 0},
            {"cboTextureCaching", "0|1|2", 0},
            {"cboTurnDisplay", "0|1|2", 0},
            {"cboBlending", "0|1|2", 0},
        };
        for (const auto &expected : lists) {
            auto *list = f.control<QComboBox>(expected.name);
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            QCOMPARE(items.join(u'|'), QString::fromLatin1(expected.items));
            QCOMPARE(list->currentIndex(), expected.position);
            QVERIFY(!list->isEditable());
        }
    }

    void startupListsTheGamesWithoutSelectingOne()
    {
        WindowFixture f;
        f.window->Form_Load();
        auto *games = f.control<QListWidget>("lstGames");
        QCOMPARE(games->count(), 26);
        QCOMPARE(games->item(0)->text(), u"Street Fighter EX (JP)"_s);
        QCOMPARE(games->item(25)->text(), u"Kosodate Quiz My Angel 3 (JP) Ver. A"_s);
        QCOMPARE(games->currentRow(), -1);
        QVERIFY(games->selectedItems().isEmpty());

        const RomSetSlots &names = f.window->romSetNames();
        const QList<std::pair<int, const char *>> shared{
            {0, "sfex"}, {2, "sfexp"}, {7, "rvschool"}, {9, "sr2j"}, {18, "souledge"}};
        for (const auto &[position, name] : shared) {
            QCOMPARE(names.at(position), std::optional(QString::fromLatin1(name)));
            QCOMPARE(names.at(position + 1), std::optional(QString::fromLatin1(name)));
        }
        QCOMPARE(names.at(25), std::optional(u"myangel3"_s));
        for (int slot = 26; slot <= 50; ++slot)
            QCOMPARE(names.at(slot), std::optional(QString()));
        QVERIFY(!names.at(-1).has_value());
    }

    // --- Shutdown
    void closingDeletesTheLaunchScriptAndStopsTheTimer()
    {
        for (const bool scriptThere : {true, false}) {
            WindowFixture f;
            f.window->Form_Load();
            const QString script = f.programFile(f.desktop.platform.launchScriptName);
            if (scriptThere) {
                QFile file(script);
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
            f.control<QTimer>("Timer1")->start();
            QVERIFY(f.window->close());
            QVERIFY(!QFile::exists(script));
            QVERIFY(!f.control<QTimer>("Timer1")->isActive());
            QVERIFY(f.desktop.calls.filter(u"showMessage"_s).isEmpty());
        }
    }

    // --- Enter presses Play
    void enterPressesPlayUnlessAnotherButtonHasTheFocus()
    {
        WindowFixture f;
        f.window->Form_Load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto *play = f.control<QPushButton>("cmdPlay");
        auto *browse = f.control<QPushButton>("cmdProcuraZinc");
        QSignalSpy played(play, &QPushButton::clicked);
        QSignalSpy browsed(browse, &QPushButton::clicked);

        for (const char *name : {"txtFrameRate", "lstGames", "cboRend", "txtlog", "chkSound"}) {
            auto *widget = f.control<QWidget>(name);
            QTest::keyClick(widget, Qt::Key_Return);
            QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
        }
        QCOMPARE(played.count(), 10);
        QCOMPARE(f.control<LogBox>("txtlog")->text(),
                 f.window->windowTitle() + u"\r\n"_s + webAddress());

        QTest::keyClick(browse, Qt::Key_Return);
        QCOMPARE(browsed.count(), 1);
        QCOMPARE(played.count(), 10);

        QTest::keyClick(f.control<QWidget>("txtFrameRate"), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(played.count(), 10);

        play->setEnabled(false);
        QTest::keyClick(f.control<QWidget>("txtFrameRate"), Qt::Key_Return);
        QCOMPARE(played.count(), 10);
    }

    // --- Check boxes with values 0, 1, 2
    void checkBoxValuesAndClicks()
    {
        ValueCheckBox box(u"x"_s);
        QSignalSpy changed(&box, &ValueCheckBox::valueChanged);
        box.setValue(ValueCheckBox::Grayed);
        box.setValue(ValueCheckBox::Grayed); // no change, no handler
        box.setValue(7);                     // not a value: ignored
        QCOMPARE(box.value(), 2);
        // A click never makes the box grayed.
        QList<int> clicked;
        for (int i = 0; i < 3; ++i) {
            box.click();
            clicked << box.value();
        }
        QCOMPARE(clicked, (QList<int>{1, 0, 1}));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(changed.at(0).at(0).toInt(), 2);
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
