// Creates the window's controls with their names, design-time texts and
// places; the options' start values come from the option table. Geometry is
// in pixels at 96 dpi and scales with the screen.

#include "core/system/ProgramInfo.h"
#include "window/frmPrincipal.h"
#include "window/ImageList.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>

namespace rivonel {

namespace {

constexpr int clientWidth = 758;
constexpr int clientHeight = 402;
constexpr int timerIntervalMs = 1000;
const QString logoResource = QStringLiteral(":/logo.jpg");

class Placer {
public:
    explicit Placer(qreal scale) : m_scale(scale) {}

    QRect rect(int x, int y, int w, int h) const
    {
        return {qRound(x * m_scale), qRound(y * m_scale), qRound(w * m_scale), qRound(h * m_scale)};
    }

    template <class Widget>
    Widget *operator()(Widget *widget, const char *name, int x, int y, int w, int h) const
    {
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(rect(x, y, w, h));
        return widget;
    }

private:
    qreal m_scale;
};

QFont windowFont()
{
    // Tahoma where it exists; otherwise a sans font of similar width.
    QFont font;
    font.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

void styleAsLink(QLabel *label)
{
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

void frmPrincipal::buildControls()
{
    setFont(windowFont());
    const Placer at(std::max<qreal>(1.0, logicalDpiY() / 96.0));
    setFixedSize(at.rect(0, 0, clientWidth, clientHeight).size());
    const auto text = [](const char *utf8) { return QString::fromUtf8(utf8); };

    lstGames = at(new QListWidget(this), "lstGames", 8, 8, 410, 114);
    lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    lstGames->setSortingEnabled(false);

    const QImage logo(logoResource);
    ImageList1 = new ImageList(this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    ImageList1->add(logo);
    Picture1 = at(new QLabel(this), "Picture1", 426, 8, 324, 244);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2); // leaves exactly 320 x 240 for the picture
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(QPixmap::fromImage(logo));

    abas = at(new QTabWidget(this), "abas", 8, 126, 410, 208);
    auto *video = new QWidget;
    auto *audio = new QWidget;
    auto *general = new QWidget;
    abas->addTab(video, text("Vídeo"));
    abas->addTab(audio, text("Audio"));
    abas->addTab(general, text("Geral"));
    abas->setCurrentIndex(0);

    // Sits over the free end of the tab header row, so it comes after abas.
    cmdPlay = at(new QPushButton(text("Jogar"), this), "cmdPlay", 336, 124, 82, 24);

    lblLanguage = at(new QLabel(text("Language:"), this), "lblLanguage", 426, 262, 58, 16);
    cboLang = at(new QComboBox(this), "cboLang", 486, 259, 100, 22);
    cmdHelp = at(new QPushButton(QStringLiteral("?"), this), "cmdHelp", 590, 259, 22, 22);
    lblSite = at(new QLabel(webAddress(), this), "lblSite", 616, 262, 134, 16);
    styleAsLink(lblSite);

    txtlog = at(new LogBox(this), "txtlog", 8, 340, 742, 54);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timerIntervalMs);

    // Tab "Vídeo": check boxes on the left, the lists and the frame rate in a
    // three-column grid on the right, in the order of the rows they form.
    chkFullScreen =
        at(new ValueCheckBox(text("Tela Inteira"), video), "chkFullScreen", 4, 6, 114, 20);
    chkShowFPS = at(new ValueCheckBox(text("Mostrar FPS"), video), "chkShowFPS", 4, 30, 114, 20);
    chkFrameSkip = at(new ValueCheckBox(text("FrameSkip"), video), "chkFrameSkip", 4, 54, 74, 20);
    chkFrameSkipAuto =
        at(new ValueCheckBox(text("Auto"), video), "chkFrameSkipAuto", 78, 54, 44, 20);
    chkFrameLimit =
        at(new ValueCheckBox(text("Limitar Frames"), video), "chkFrameLimit", 4, 78, 114, 20);
    chkDithering = at(new ValueCheckBox(text("Dithering"), video), "chkDithering", 4, 102, 114, 20);
    chkEnableKeys =
        at(new ValueCheckBox(text("Ligar Teclas"), video), "chkEnableKeys", 4, 126, 114, 20);

    const auto cell = [&at](auto *label, const char *labelName, auto *field, const char *fieldName,
                            int column, int row) {
        const int x = 124 + column * 93;
        const int y = 4 + row * 44;
        at(label, labelName, x, y, 91, 16);
        at(field, fieldName, x, y + 16, 91, 22);
        return field;
    };
    lblRenderer = new QLabel(text("Renderização:"), video);
    cboRend = cell(lblRenderer, "lblRenderer", new QComboBox(video), "cboRend", 0, 0);
    lblResolution = new QLabel(text("Resolução:"), video);
    cboResolution =
        cell(lblResolution, "lblResolution", new QComboBox(video), "cboResolution", 1, 0);
    lblColorDepth = new QLabel(text("Taxa de Cor:"), video);
    cboColorDepth =
        cell(lblColorDepth, "lblColorDepth", new QComboBox(video), "cboColorDepth", 2, 0);
    lblScanlines = new QLabel(text("Scanlines:"), video);
    cboScanLines = cell(lblScanlines, "lblScanlines", new QComboBox(video), "cboScanLines", 0, 1);
    lblTextureFiltering = new QLabel(text("Filtrar texturas:"), video);
    cboTextureFiltering = cell(lblTextureFiltering, "lblTextureFiltering", new QComboBox(video),
                               "cboTextureFiltering", 1, 1);
    lblTextureQuality = new QLabel(text("Qualidade:"), video);
    cboTextureQuality = cell(lblTextureQuality, "lblTextureQuality", new QComboBox(video),
                             "cboTextureQuality", 2, 1);
    lblTextureCaching = new QLabel(text("Cache"), video);
    cboTextureCaching = cell(lblTextureCaching, "lblTextureCaching", new QComboBox(video),
                             "cboTextureCaching", 0, 2);
    lblFrameRate = new QLabel(text("Taxa de Frames:"), video);
    txtFrameRate = cell(lblFrameRate, "lblFrameRate", new QLineEdit(video), "txtFrameRate", 1, 2);
    lblTurnDisplay = new QLabel(text("Mudar tela:"), video);
    cboTurnDisplay =
        cell(lblTurnDisplay, "lblTurnDisplay", new QComboBox(video), "cboTurnDisplay", 2, 2);
    lblBlending = new QLabel(text("Brilho:"), video);
    cboBlending = cell(lblBlending, "lblBlending", new QComboBox(video), "cboBlending", 0, 3);

    // Tab "Audio".
    chkSound = at(new ValueCheckBox(text("Habilitar Som"), audio), "chkSound", 6, 6, 150, 20);
    chkSoundFilter =
        at(new ValueCheckBox(text("Filtrar Som"), audio), "chkSoundFilter", 6, 30, 96, 20);
    lblSoundFilterCutoff =
        at(new QLabel(text("Corte:"), audio), "lblSoundFilterCutoff", 104, 32, 40, 16);
    txtSoundFilterCutoff = at(new QLineEdit(audio), "txtSoundFilterCutoff", 146, 29, 56, 21);
    chkStereoExciter =
        at(new ValueCheckBox(text("Stereo"), audio), "chkStereoExciter", 6, 54, 150, 20);
    chkSurroundLite =
        at(new ValueCheckBox(text("Surround"), audio), "chkSurroundLite", 214, 6, 150, 20);
    chkSurroundLiteMultiplier = at(new ValueCheckBox(text("Multiplicador de surround"), audio),
                                   "chkSurroundLiteMultiplier", 214, 30, 146, 20);
    txtSurroundMultiplier = at(new QLineEdit(audio), "txtSurroundMultiplier", 362, 29, 38, 21);

    // Tab "Geral".
    lblZincDir = at(new QLabel(text("Diretório do Zinc:"), general), "lblZincDir", 6, 8, 200, 16);
    txtZincDir = at(new QLineEdit(general), "txtZincDir", 6, 26, 300, 22);
    cmdProcuraZinc =
        at(new QPushButton(text("Procurar"), general), "cmdProcuraZinc", 312, 25, 84, 24);
    lblRomDir = at(new QLabel(text("Diretório de Roms"), general), "lblRomDir", 6, 58, 200, 16);
    txtRomDir = at(new QLineEdit(general), "txtRomDir", 6, 76, 300, 22);
    cmdProcuraRoms =
        at(new QPushButton(text("Procurar"), general), "cmdProcuraRoms", 312, 75, 84, 24);
    chkUseLowGeometry = at(new ValueCheckBox(text("Usar baixa geometria"), general),
                           "chkUseLowGeometry", 6, 112, 200, 20);

    // A focused command button takes Enter itself; everywhere else Enter
    // presses cmdPlay (see eventFilter).
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
}

} // namespace rivonel
