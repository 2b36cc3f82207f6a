// Creates the window's controls with their names and design-time texts, and
// lays them out: the game list and the log box take whatever room the window
// has beyond what the rest needs; the picture keeps its 320 x 240.

#include "window/frmPrincipalUi.h"

#include "core/languages/LanguageTextTable.h"
#include "core/system/ProgramInfo.h"
#include "window/ImageList.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <span>

namespace rivonel {

namespace {

constexpr int timerIntervalMs = 1000;
constexpr int pictureFrame = 2; // leaves exactly 320 x 240 for the picture
const QMargins pageMargins(6, 6, 6, 6);

// Where a control of a tab goes: a cell of one of the tabs' grids. Controls
// that share a cell stand side by side, or, in the video lists, a caption
// above its field.
enum class Area { VideoChecks, VideoLists, AudioLeft, AudioRight, General };
constexpr int areaCount = 5;
struct Place {
    Area area;
    int row;
    int column;
    int span = 1;
};

// One control of a tab: its place, object name, design-time caption, the
// texts it takes from the language besides its option's caption, and, for
// a box for a number, how many digits it is wide. The rows stand in Tab order.
struct ControlRow {
    QWidget *(*make)(frmPrincipalUi &ui, QWidget *page);
    QWidget *(*widget)(const frmPrincipalUi &ui);
    Place place;
    const char *name;
    const char *caption = nullptr;
    int captionKey = 0;
    int nameKey = 0;
    int digits = 0;
};

template <auto Slot> QWidget *make(frmPrincipalUi &ui, QWidget *page)
{
    using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(ui.*Slot)>>;
    if constexpr (std::is_constructible_v<Widget, QString, QWidget *>)
        ui.*Slot = new Widget(QString(), page);
    else
        ui.*Slot = new Widget(page);
    return ui.*Slot;
}

template <auto Slot> QWidget *widgetOf(const frmPrincipalUi &ui)
{
    return ui.*Slot;
}

template <auto Slot>
constexpr ControlRow control(Place place, const char *name, const char *caption = nullptr,
                             int captionKey = 0, int nameKey = 0, int digits = 0)
{
    return {&make<Slot>, &widgetOf<Slot>, place, name, caption, captionKey, nameKey, digits};
}

using U = frmPrincipalUi;
using A = Area;
const ControlRow pageControls[] = {
    // Vídeo: check boxes on the left, the lists and the frame rate in a
    // three-column grid on the right, in the order of the rows they form.
    control<&U::chkFullScreen>({A::VideoChecks, 0, 0}, "chkFullScreen", "Tela Inteira"),
    control<&U::chkShowFPS>({A::VideoChecks, 1, 0}, "chkShowFPS", "Mostrar FPS"),
    control<&U::chkFrameSkip>({A::VideoChecks, 2, 0}, "chkFrameSkip", "FrameSkip"),
    control<&U::chkFrameSkipAuto>({A::VideoChecks, 2, 0}, "chkFrameSkipAuto", "Auto"),
    control<&U::chkFrameLimit>({A::VideoChecks, 3, 0}, "chkFrameLimit", "Limitar Frames"),
    control<&U::chkDithering>({A::VideoChecks, 4, 0}, "chkDithering", "Dithering"),
    control<&U::chkEnableKeys>({A::VideoChecks, 5, 0}, "chkEnableKeys", "Ligar Teclas"),
    control<&U::lblRenderer>({A::VideoLists, 0, 0}, "lblRenderer", "Renderização:"),
    control<&U::cboRend>({A::VideoLists, 0, 0}, "cboRend"),
    control<&U::lblResolution>({A::VideoLists, 0, 1}, "lblResolution", "Resolução:"),
    control<&U::cboResolution>({A::VideoLists, 0, 1}, "cboResolution"),
    control<&U::lblColorDepth>({A::VideoLists, 0, 2}, "lblColorDepth", "Taxa de Cor:"),
    control<&U::cboColorDepth>({A::VideoLists, 0, 2}, "cboColorDepth"),
    control<&U::lblScanlines>({A::VideoLists, 1, 0}, "lblScanlines", "Scanlines:"),
    control<&U::cboScanLines>({A::VideoLists, 1, 0}, "cboScanLines"),
    control<&U::lblTextureFiltering>({A::VideoLists, 1, 1}, "lblTextureFiltering",
                                     "Filtrar texturas:"),
    control<&U::cboTextureFiltering>({A::VideoLists, 1, 1}, "cboTextureFiltering"),
    control<&U::lblTextureQuality>({A::VideoLists, 1, 2}, "lblTextureQuality", "Qualidade:"),
    control<&U::cboTextureQuality>({A::VideoLists, 1, 2}, "cboTextureQuality"),
    control<&U::lblTextureCaching>({A::VideoLists, 2, 0}, "lblTextureCaching", "Cache"),
    control<&U::cboTextureCaching>({A::VideoLists, 2, 0}, "cboTextureCaching"),
    control<&U::lblFrameRate>({A::VideoLists, 2, 1}, "lblFrameRate", "Taxa de Frames:"),
    control<&U::txtFrameRate>({A::VideoLists, 2, 1}, "txtFrameRate"),
    control<&U::lblTurnDisplay>({A::VideoLists, 2, 2}, "lblTurnDisplay", "Mudar tela:"),
    control<&U::cboTurnDisplay>({A::VideoLists, 2, 2}, "cboTurnDisplay"),
    control<&U::lblBlending>({A::VideoLists, 3, 0}, "lblBlending", "Brilho:"),
    control<&U::cboBlending>({A::VideoLists, 3, 0}, "cboBlending"),
    // Audio.
    control<&U::chkSound>({A::AudioLeft, 0, 0}, "chkSound", "Habilitar Som"),
    control<&U::chkSoundFilter>({A::AudioLeft, 1, 0}, "chkSoundFilter", "Filtrar Som"),
    control<&U::lblSoundFilterCutoff>({A::AudioLeft, 1, 0}, "lblSoundFilterCutoff", "Corte:"),
    control<&U::txtSoundFilterCutoff>({A::AudioLeft, 1, 0}, "txtSoundFilterCutoff", nullptr, 0,
                                      0, 5),
    control<&U::chkStereoExciter>({A::AudioLeft, 2, 0}, "chkStereoExciter", "Stereo"),
    control<&U::chkSurroundLite>({A::AudioRight, 0, 0}, "chkSurroundLite", "Surround"),
    control<&U::chkSurroundLiteMultiplier>({A::AudioRight, 1, 0}, "chkSurroundLiteMultiplier",
                                           "Multiplicador de surround"),
    control<&U::txtSurroundMultiplier>({A::AudioRight, 1, 0}, "txtSurroundMultiplier", nullptr, 0,
                                       0, 3),
    // Geral.
    control<&U::lblZincDir>({A::General, 0, 0, 2}, "lblZincDir", "Diretório do Zinc:"),
    control<&U::txtZincDir>({A::General, 1, 0}, "txtZincDir"),
    control<&U::cmdProcuraZinc>({A::General, 1, 1}, "cmdProcuraZinc", "Procurar",
                                textKey::browseCaption, textKey::browseZincName),
    control<&U::lblRomDir>({A::General, 2, 0, 2}, "lblRomDir", "Diretório de Roms"),
    control<&U::txtRomDir>({A::General, 3, 0}, "txtRomDir"),
    control<&U::cmdProcuraRoms>({A::General, 3, 1}, "cmdProcuraRoms", "Procurar",
                                textKey::browseCaption, textKey::browseRomName),
    control<&U::chkUseLowGeometry>({A::General, 4, 0, 2}, "chkUseLowGeometry",
                                   "Usar baixa geometria"),
};

template <class Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void setCaption(QWidget *widget, const QString &caption)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(caption);
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setText(caption);
}

// A box for a number: wide enough for that many digits, no wider.
void fitDigits(QWidget *box, int digits)
{
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QString(digits + 2, u'0')) + 8);
}

// The controls of one area's cell, side by side or a caption above its field.
QLayout *cellOf(Area area, const QWidgetList &widgets)
{
    const bool captioned = area == Area::VideoLists;
    auto *cell = new QBoxLayout(captioned ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    if (captioned)
        cell->setSpacing(1);
    for (QWidget *widget : widgets)
        cell->addWidget(widget);
    if (!captioned)
        cell->addStretch();
    return cell;
}

} // namespace

void frmPrincipalUi::setupUi(QWidget *form)
{
    buildFrame(form);
    buildPages();
    // A focused command button takes Enter itself; everywhere else Enter
    // presses cmdPlay (see KeyRouter).
    for (QPushButton *button : form->findChildren<QPushButton *>())
        button->setAutoDefault(true);
    // A list is as wide as its longest item in the language shown.
    for (QComboBox *choice : form->findChildren<QComboBox *>()) {
        choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        choice->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    }
    layOutFrame(form);
    setFocusOrder(form);
}

void frmPrincipalUi::buildFrame(QWidget *form)
{
    lstGames = named(new QListWidget(form), "lstGames");
    lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    lstGames->setSortingEnabled(false);
    // Marks beside the titles are as tall as a line of text.
    lstGames->setIconSize(QSize(1, 1) * lstGames->fontMetrics().height());

    const QImage logo(QStringLiteral(":/logo.jpg"));
    ImageList1 = named(new ImageList(form), "ImageList1");
    ImageList1->add(logo);
    Picture1 = named(new QLabel(form), "Picture1");
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(pictureFrame);
    Picture1->setFixedSize(logo.size() + 2 * QSize(pictureFrame, pictureFrame));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(QPixmap::fromImage(logo));
    // A screen reader reaches it by Tab and names it.
    Picture1->setFocusPolicy(Qt::TabFocus);

    abas = named(new QTabWidget(form), "abas");
    for (const char *caption : {"Vídeo", "Audio", "Geral"})
        abas->addTab(new QWidget, QString::fromUtf8(caption));
    abas->setCurrentIndex(videoTab);
    abas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Beside the row of tab headers, at its free end.
    cmdPlay = named(new QPushButton(QStringLiteral("Jogar"), form), "cmdPlay");
    abas->setCornerWidget(cmdPlay, Qt::TopRightCorner);

    lblLanguage = named(new QLabel(QStringLiteral("Language:"), form), "lblLanguage");
    cboLang = named(new QComboBox(form), "cboLang");
    // Small: it shares the row below the picture with the language and the link.
    cmdHelp = named(new QToolButton(form), "cmdHelp");
    cmdHelp->setText(QStringLiteral("?"));
    cmdHelp->setFocusPolicy(Qt::StrongFocus);
    lblSite = named(new LinkLabel(webAddress(), form), "lblSite");
    txtlog = named(new LogBox(form), "txtlog");
    Timer1 = named(new QTimer(form), "Timer1");
    Timer1->setInterval(timerIntervalMs);
    mnuCheckArchive = named(new QAction(form), "mnuCheckArchive");
}

void frmPrincipalUi::buildPages()
{
    QMap<std::pair<int, int>, QWidgetList> cells[areaCount];
    QMap<std::pair<int, int>, int> spans[areaCount];
    QLabel *caption = nullptr;
    for (const ControlRow &row : pageControls) {
        const int area = static_cast<int>(row.place.area);
        const int page = area <= int(Area::VideoLists) ? videoTab
                         : area <= int(Area::AudioRight) ? audioTab
                                                         : generalTab;
        QWidget *widget = named(row.make(*this, abas->widget(page)), row.name);
        if (row.caption)
            setCaption(widget, QString::fromUtf8(row.caption));
        if (row.digits)
            fitDigits(widget, row.digits);
        // A caption names the field after it, to the eye and to a screen reader.
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            caption = label;
        } else {
            if (caption)
                std::exchange(caption, nullptr)->setBuddy(widget);
            m_pageOrder << widget;
        }
        const std::pair cell{row.place.row, row.place.column};
        cells[area][cell] << widget;
        spans[area].insert(cell, row.place.span);
    }
    QGridLayout *grids[areaCount];
    for (int area = 0; area < areaCount; ++area) {
        grids[area] = new QGridLayout;
        for (auto it = cells[area].cbegin(); it != cells[area].cend(); ++it) {
            const auto [row, column] = it.key();
            const int span = spans[area].value(it.key());
            if (it->size() == 1)
                grids[area]->addWidget(it->first(), row, column, 1, span);
            else
                grids[area]->addLayout(cellOf(Area(area), *it), row, column, 1, span);
        }
        grids[area]->setRowStretch(grids[area]->rowCount(), 1);
    }
    grids[int(Area::VideoLists)]->setHorizontalSpacing(4);

    auto *video = new QHBoxLayout(abas->widget(videoTab));
    video->setContentsMargins(pageMargins);
    video->addLayout(grids[int(Area::VideoChecks)]);
    video->addLayout(grids[int(Area::VideoLists)], 1);
    auto *audio = new QHBoxLayout(abas->widget(audioTab));
    audio->setContentsMargins(pageMargins);
    audio->addLayout(grids[int(Area::AudioLeft)]);
    audio->addSpacing(abas->fontMetrics().averageCharWidth() * 2);
    audio->addLayout(grids[int(Area::AudioRight)]);
    audio->addStretch();
    auto *general = new QVBoxLayout(abas->widget(generalTab));
    general->setContentsMargins(pageMargins);
    general->addLayout(grids[int(Area::General)]);
}

void frmPrincipalUi::layOutFrame(QWidget *form)
{
    auto *left = new QVBoxLayout;
    left->addWidget(lstGames, 1);
    left->addWidget(abas);
    lblLanguage->setBuddy(cboLang);
    auto *language = new QHBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(lblLanguage), static_cast<QWidget *>(cboLang),
                            static_cast<QWidget *>(cmdHelp)})
        language->addWidget(widget);
    language->addWidget(lblSite, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(Picture1, 0, Qt::AlignHCenter);
    right->addLayout(language);
    right->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);

    auto *window = new QVBoxLayout(form);
    window->setContentsMargins(8, 8, 8, 8);
    window->setSpacing(6);
    window->addLayout(top);
    window->addWidget(txtlog);
}

// Reading order: the list, the picture, Play, the tabs and the shown tab's
// controls, the language, the link and the log box. Controls on the hidden
// tabs are passed over.
void frmPrincipalUi::setFocusOrder(QWidget *form)
{
    txtlog->setTabChangesFocus(true);
    // Its tab headers take the focus in its place; left in the chain, it would
    // take it a second time after the log box.
    abas->setFocusPolicy(Qt::NoFocus); // which Qt passes on to the headers
    QTabBar *headers = abas->findChild<QTabBar *>();
    headers->setFocusPolicy(Qt::TabFocus);
    const QWidgetList order = QWidgetList{lstGames, Picture1, cmdPlay, headers} + m_pageOrder +
                              QWidgetList{cboLang, cmdHelp, lblSite, txtlog};
    for (qsizetype i = 1; i < order.size(); ++i)
        form->setTabOrder(order[i - 1], order[i]);
}

void frmPrincipalUi::nameControls(const LanguageTextTable &texts) const
{
    cmdPlay->setText(texts.text(textKey::playCaption));
    mnuCheckArchive->setText(texts.text(textKey::checkArchiveCaption));
    cmdHelp->setToolTip(texts.text(textKey::helpButtonTip));
    cmdHelp->setAccessibleName(texts.text(textKey::aboutTitle));
    abas->setTabText(videoTab, texts.text(textKey::videoTabCaption));
    abas->setTabText(audioTab, texts.text(textKey::audioTabCaption));
    abas->setTabText(generalTab, texts.text(textKey::generalTabCaption));
    lstGames->setAccessibleName(texts.text(textKey::gamesListName));
    Picture1->setAccessibleName(texts.text(textKey::pictureName));
    txtlog->setAccessibleName(texts.text(textKey::logBoxName));
    for (const ControlRow &row : pageControls) {
        if (row.captionKey)
            setCaption(row.widget(*this), texts.text(row.captionKey));
        if (row.nameKey)
            row.widget(*this)->setAccessibleName(texts.text(row.nameKey));
    }
    // Its caption is a check box, which cannot be a buddy.
    txtSurroundMultiplier->setAccessibleName(chkSurroundLiteMultiplier->text());
}

} // namespace rivonel
