// Creates the window's controls with their names and design-time texts, and
// lays them out: the game list and the log box take whatever room the window
// has beyond what the rest needs; the picture keeps its 320 x 240.

#include "window/frmPrincipalUi.h"

#include "core/languages/LanguageTextTable.h"
#include "core/system/ProgramInfo.h"
#include "window/ControlTable.h"
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

// The tabs' controls by area and cell, and each cell's width in columns.
struct PageCells {
    QMap<std::pair<int, int>, QWidgetList> widgets[areaCount];
    QMap<std::pair<int, int>, int> spans[areaCount];
};

QGridLayout *gridOf(Area area, const PageCells &cells)
{
    auto *grid = new QGridLayout;
    const auto &widgets = cells.widgets[int(area)];
    for (auto it = widgets.cbegin(); it != widgets.cend(); ++it) {
        const auto [row, column] = it.key();
        const int span = cells.spans[int(area)].value(it.key());
        if (it->size() == 1)
            grid->addWidget(it->first(), row, column, 1, span);
        else
            grid->addLayout(cellOf(area, *it), row, column, 1, span);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return grid;
}

void layOutPages(QTabWidget &tabs, const PageCells &cells)
{
    using Tab = frmPrincipalUi::Tab;
    auto *video = new QHBoxLayout(tabs.widget(Tab::videoTab));
    video->setContentsMargins(pageMargins);
    video->addLayout(gridOf(Area::VideoChecks, cells));
    QGridLayout *lists = gridOf(Area::VideoLists, cells);
    lists->setHorizontalSpacing(4);
    video->addLayout(lists, 1);
    auto *audio = new QHBoxLayout(tabs.widget(Tab::audioTab));
    audio->setContentsMargins(pageMargins);
    audio->addLayout(gridOf(Area::AudioLeft, cells));
    audio->addSpacing(tabs.fontMetrics().averageCharWidth() * 2);
    audio->addLayout(gridOf(Area::AudioRight, cells));
    audio->addStretch();
    auto *general = new QVBoxLayout(tabs.widget(Tab::generalTab));
    general->setContentsMargins(pageMargins);
    general->addLayout(gridOf(Area::General, cells));
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
    PageCells cells;
    QLabel *caption = nullptr;
    for (const ControlRow &row : pageControls()) {
        const int area = static_cast<int>(row.place.area);
        const int page = area <= int(Area::VideoLists)   ? videoTab
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
        cells.widgets[area][cell] << widget;
        cells.spans[area].insert(cell, row.place.span);
    }
    layOutPages(*abas, cells);
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
    cmdHelp->setToolTip(texts.text(textKey::helpButtonTip));
    cmdHelp->setAccessibleName(texts.text(textKey::aboutTitle));
    abas->setTabText(videoTab, texts.text(textKey::videoTabCaption));
    abas->setTabText(audioTab, texts.text(textKey::audioTabCaption));
    abas->setTabText(generalTab, texts.text(textKey::generalTabCaption));
    lstGames->setAccessibleName(texts.text(textKey::gamesListName));
    Picture1->setAccessibleName(texts.text(textKey::pictureName));
    txtlog->setAccessibleName(texts.text(textKey::logBoxName));
    for (const ControlRow &row : pageControls()) {
        if (row.captionKey)
            setCaption(row.widget(*this), texts.text(row.captionKey));
        if (row.nameKey)
            row.widget(*this)->setAccessibleName(texts.text(row.nameKey));
    }
    // Its caption is a check box, which cannot be a buddy.
    txtSurroundMultiplier->setAccessibleName(chkSurroundLiteMultiplier->text());
}

} // namespace rivonel
