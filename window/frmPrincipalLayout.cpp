// Creates the window's controls with their names and design-time texts, and
// lays them out: the game list and the log box take whatever room the window
// has beyond what the rest needs; the picture keeps its 320 x 240.

#include "core/system/ProgramInfo.h"
#include "window/frmPrincipal.h"
#include "window/ImageList.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTimer>

namespace rivonel {

namespace {

constexpr int timerIntervalMs = 1000;
constexpr int pictureFrame = 2; // leaves exactly 320 x 240 for the picture
const QString logoResource = QStringLiteral(":/logo.jpg");
const QMargins pageMargins(6, 6, 6, 6);

template <class Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A label above its field; the label names the field to a screen reader.
QVBoxLayout *captioned(QLabel *label, QWidget *field)
{
    label->setBuddy(field);
    auto *cell = new QVBoxLayout;
    cell->setSpacing(1);
    cell->addWidget(label);
    cell->addWidget(field);
    return cell;
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets)
{
    auto *line = new QHBoxLayout;
    for (QWidget *widget : widgets)
        line->addWidget(widget);
    return line;
}

// A box for a number: wide enough for that many digits, no wider.
void fitDigits(QLineEdit *box, int digits)
{
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QString(digits + 2, u'0')) + 8);
}

} // namespace

void frmPrincipal::buildControls()
{
    const auto text = [](const char *utf8) { return QString::fromUtf8(utf8); };

    lstGames = named(new QListWidget(this), "lstGames");
    lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    lstGames->setSortingEnabled(false);
    // Marks beside the titles are as tall as a line of text.
    lstGames->setIconSize(QSize(1, 1) * lstGames->fontMetrics().height());

    const QImage logo(logoResource);
    ImageList1 = new ImageList(this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    ImageList1->add(logo);
    Picture1 = named(new QLabel(this), "Picture1");
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(pictureFrame);
    Picture1->setFixedSize(logo.size() + 2 * QSize(pictureFrame, pictureFrame));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(QPixmap::fromImage(logo));
    // A screen reader reaches it by Tab and names it.
    Picture1->setFocusPolicy(Qt::TabFocus);

    abas = named(new QTabWidget(this), "abas");
    auto *video = new QWidget;
    auto *audio = new QWidget;
    auto *general = new QWidget;
    abas->addTab(video, text("Vídeo"));
    abas->addTab(audio, text("Audio"));
    abas->addTab(general, text("Geral"));
    abas->setCurrentIndex(0);
    abas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    // Beside the row of tab headers, at its free end.
    cmdPlay = named(new QPushButton(text("Jogar"), this), "cmdPlay");
    abas->setCornerWidget(cmdPlay, Qt::TopRightCorner);

    lblLanguage = named(new QLabel(text("Language:"), this), "lblLanguage");
    cboLang = named(new QComboBox(this), "cboLang");
    // Small: it shares the row below the picture with the language and the link.
    cmdHelp = named(new QToolButton(this), "cmdHelp");
    cmdHelp->setText(QStringLiteral("?"));
    cmdHelp->setFocusPolicy(Qt::StrongFocus);
    lblSite = named(new LinkLabel(webAddress(), this), "lblSite");

    txtlog = named(new LogBox(this), "txtlog");

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timerIntervalMs);

    // Tab "Vídeo": check boxes on the left, the lists and the frame rate in a
    // three-column grid on the right, in the order of the rows they form.
    chkFullScreen = named(new ValueCheckBox(text("Tela Inteira"), video), "chkFullScreen");
    chkShowFPS = named(new ValueCheckBox(text("Mostrar FPS"), video), "chkShowFPS");
    chkFrameSkip = named(new ValueCheckBox(text("FrameSkip"), video), "chkFrameSkip");
    chkFrameSkipAuto = named(new ValueCheckBox(text("Auto"), video), "chkFrameSkipAuto");
    chkFrameLimit = named(new ValueCheckBox(text("Limitar Frames"), video), "chkFrameLimit");
    chkDithering = named(new ValueCheckBox(text("Dithering"), video), "chkDithering");
    chkEnableKeys = named(new ValueCheckBox(text("Ligar Teclas"), video), "chkEnableKeys");

    const auto list = [video](const char *name) { return named(new QComboBox(video), name); };
    const auto label = [video, &text](const char *caption, const char *name) {
        return named(new QLabel(text(caption), video), name);
    };
    lblRenderer = label("Renderização:", "lblRenderer");
    cboRend = list("cboRend");
    lblResolution = label("Resolução:", "lblResolution");
    cboResolution = list("cboResolution");
    lblColorDepth = label("Taxa de Cor:", "lblColorDepth");
    cboColorDepth = list("cboColorDepth");
    lblScanlines = label("Scanlines:", "lblScanlines");
    cboScanLines = list("cboScanLines");
    lblTextureFiltering = label("Filtrar texturas:", "lblTextureFiltering");
    cboTextureFiltering = list("cboTextureFiltering");
    lblTextureQuality = label("Qualidade:", "lblTextureQuality");
    cboTextureQuality = list("cboTextureQuality");
    lblTextureCaching = label("Cache", "lblTextureCaching");
    cboTextureCaching = list("cboTextureCaching");
    lblFrameRate = label("Taxa de Frames:", "lblFrameRate");
    txtFrameRate = named(new QLineEdit(video), "txtFrameRate");
    lblTurnDisplay = label("Mudar tela:", "lblTurnDisplay");
    cboTurnDisplay = list("cboTurnDisplay");
    lblBlending = label("Brilho:", "lblBlending");
    cboBlending = list("cboBlending");

    // Tab "Audio".
    chkSound = named(new ValueCheckBox(text("Habilitar Som"), audio), "chkSound");
    chkSoundFilter = named(new ValueCheckBox(text("Filtrar Som"), audio), "chkSoundFilter");
    lblSoundFilterCutoff = named(new QLabel(text("Corte:"), audio), "lblSoundFilterCutoff");
    txtSoundFilterCutoff = named(new QLineEdit(audio), "txtSoundFilterCutoff");
    chkStereoExciter = named(new ValueCheckBox(text("Stereo"), audio), "chkStereoExciter");
    chkSurroundLite = named(new ValueCheckBox(text("Surround"), audio), "chkSurroundLite");
    chkSurroundLiteMultiplier = named(new ValueCheckBox(text("Multiplicador de surround"), audio),
                                      "chkSurroundLiteMultiplier");
    txtSurroundMultiplier = named(new QLineEdit(audio), "txtSurroundMultiplier");

    // Tab "Geral".
    lblZincDir = named(new QLabel(text("Diretório do Zinc:"), general), "lblZincDir");
    txtZincDir = named(new QLineEdit(general), "txtZincDir");
    cmdProcuraZinc = named(new QPushButton(text("Procurar"), general), "cmdProcuraZinc");
    lblRomDir = named(new QLabel(text("Diretório de Roms"), general), "lblRomDir");
    txtRomDir = named(new QLineEdit(general), "txtRomDir");
    cmdProcuraRoms = named(new QPushButton(text("Procurar"), general), "cmdProcuraRoms");
    chkUseLowGeometry =
        named(new ValueCheckBox(text("Usar baixa geometria"), general), "chkUseLowGeometry");

    // A focused command button takes Enter itself; everywhere else Enter
    // presses cmdPlay (see eventFilter).
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
    // A list is as wide as its longest item in the language shown.
    for (QComboBox *choice : findChildren<QComboBox *>()) {
        choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        choice->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    }

    layOutControls();
    setFocusOrder();
    nameControls();
    restoreWindowGeometry();
}

void frmPrincipal::layOutControls()
{
    auto *videoChecks = new QVBoxLayout;
    for (QWidget *box : {chkFullScreen, chkShowFPS})
        videoChecks->addWidget(box);
    auto *frameSkip = row({chkFrameSkip, chkFrameSkipAuto});
    frameSkip->addStretch();
    videoChecks->addLayout(frameSkip);
    for (QWidget *box : {chkFrameLimit, chkDithering, chkEnableKeys})
        videoChecks->addWidget(box);
    videoChecks->addStretch();
    auto *videoLists = new QGridLayout;
    videoLists->setHorizontalSpacing(4);
    const std::pair<QLabel *, QWidget *> cells[] = {{lblRenderer, cboRend},
                                                    {lblResolution, cboResolution},
                                                    {lblColorDepth, cboColorDepth},
                                                    {lblScanlines, cboScanLines},
                                                    {lblTextureFiltering, cboTextureFiltering},
                                                    {lblTextureQuality, cboTextureQuality},
                                                    {lblTextureCaching, cboTextureCaching},
                                                    {lblFrameRate, txtFrameRate},
                                                    {lblTurnDisplay, cboTurnDisplay},
                                                    {lblBlending, cboBlending}};
    int place = 0;
    for (const auto &[caption, field] : cells) {
        videoLists->addLayout(captioned(caption, field), place / 3, place % 3);
        ++place;
    }
    videoLists->setRowStretch(videoLists->rowCount(), 1);
    auto *video = new QHBoxLayout(abas->widget(0));
    video->setContentsMargins(pageMargins);
    video->addLayout(videoChecks);
    video->addLayout(videoLists, 1);

    lblSoundFilterCutoff->setBuddy(txtSoundFilterCutoff);
    fitDigits(txtSoundFilterCutoff, 5);
    fitDigits(txtSurroundMultiplier, 3);
    auto *audioLeft = new QVBoxLayout;
    audioLeft->addWidget(chkSound);
    audioLeft->addLayout(row({chkSoundFilter, lblSoundFilterCutoff, txtSoundFilterCutoff}));
    audioLeft->addWidget(chkStereoExciter);
    audioLeft->addStretch();
    auto *audioRight = new QVBoxLayout;
    audioRight->addWidget(chkSurroundLite);
    audioRight->addLayout(row({chkSurroundLiteMultiplier, txtSurroundMultiplier}));
    audioRight->addStretch();
    auto *audio = new QHBoxLayout(abas->widget(1));
    audio->setContentsMargins(pageMargins);
    audio->addLayout(audioLeft);
    audio->addSpacing(fontMetrics().averageCharWidth() * 2);
    audio->addLayout(audioRight);
    audio->addStretch();

    auto *general = new QGridLayout(abas->widget(2));
    general->setContentsMargins(pageMargins);
    lblZincDir->setBuddy(txtZincDir);
    lblRomDir->setBuddy(txtRomDir);
    general->addWidget(lblZincDir, 0, 0, 1, 2);
    general->addWidget(txtZincDir, 1, 0);
    general->addWidget(cmdProcuraZinc, 1, 1);
    general->addWidget(lblRomDir, 2, 0, 1, 2);
    general->addWidget(txtRomDir, 3, 0);
    general->addWidget(cmdProcuraRoms, 3, 1);
    general->addWidget(chkUseLowGeometry, 4, 0, 1, 2);
    general->setRowStretch(5, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(lstGames, 1);
    left->addWidget(abas);
    lblLanguage->setBuddy(cboLang);
    auto *language = row({lblLanguage, cboLang, cmdHelp});
    language->addWidget(lblSite, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(Picture1, 0, Qt::AlignHCenter);
    right->addLayout(language);
    right->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);

    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(8, 8, 8, 8);
    window->setSpacing(6);
    window->addLayout(top);
    window->addWidget(txtlog);
}

} // namespace rivonel
