// SPDX-License-Identifier: GPL-3.0-or-later
// Creates the window's controls with their names and design-time texts, and
// lays them out: the game list and the picture take whatever room the window
// has beyond what the rest needs (the picture from 320 x 240 up, keeping its
// shape); the log box keeps its height unless the user drags it.

#include "window/frmPrincipalUi.h"

#include "core/languages/LanguageTextTable.h"
#include "core/system/ProgramInfo.h"
#include "window/ControlTable.h"
#include "window/ImageList.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/PageLayout.h"
#include "window/PictureBox.h"
#include "window/ValueCheckBox.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <span>

namespace rivonel {

namespace {

constexpr int timerIntervalMs = 1000;
constexpr int pictureFrame = 2; // leaves exactly 320 x 240 for the picture

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

} // namespace

void frmPrincipalUi::setupUi(QWidget *form)
{
    buildFrame(form);
    buildFinding(form);
    buildPages();
    // A focused command button takes Enter itself; everywhere else Enter
    // presses cmdPlay (see KeyRouter).
    for (QPushButton *button : form->findChildren<QPushButton *>())
        button->setAutoDefault(true);
    // A list is as wide as its longest item in the language shown.
    // (The switch beside Play shows a game's title, which may be long: it keeps its width.)
    for (QComboBox *choice : form->findChildren<QComboBox *>()) {
        if (choice == cboScope)
            continue;
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
    Picture1 = named(new PictureBox(logo.size() + 2 * QSize(pictureFrame, pictureFrame), form),
                     "Picture1");
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(pictureFrame);
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
    // Above the tabs: whose options they show, the way back to those of all
    // games, and what Play would write.
    lblScope = named(new QLabel(form), "lblScope");
    cboScope = named(new QComboBox(form), "cboScope");
    lblScope->setBuddy(cboScope);
    cboScope->addItem(QString());
    cboScope->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboScope->setMinimumContentsLength(16);
    const auto iconButton = [form](const char *name, QStyle::StandardPixmap icon) {
        auto *button = named(new QPushButton(form), name);
        button->setIcon(form->style()->standardIcon(icon));
        return button;
    };
    cmdOwnReset = iconButton("cmdOwnReset", QStyle::SP_BrowserReload);
    cmdPreview = iconButton("cmdPreview", QStyle::SP_FileDialogContentsView);

    lblLanguage = named(new QLabel(QStringLiteral("Language:"), form), "lblLanguage");
    cboLang = named(new QComboBox(form), "cboLang");
    // Small: it shares the row below the picture with the language and the link.
    cmdHelp = named(new QToolButton(form), "cmdHelp");
    cmdHelp->setText(QStringLiteral("?"));
    cmdHelp->setFocusPolicy(Qt::StrongFocus);
    cmdBigScreen = named(new QToolButton(form), "cmdBigScreen");
    cmdBigScreen->setIcon(form->style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    cmdBigScreen->setFocusPolicy(Qt::StrongFocus);
    lblSite = named(new LinkLabel(webAddress(), form), "lblSite");
    txtlog = named(new LogBox(form), "txtlog");
    Timer1 = named(new QTimer(form), "Timer1");
    Timer1->setInterval(timerIntervalMs);
    mnuPlay = named(new QAction(form), "mnuPlay");
    mnuCheckArchive = named(new QAction(form), "mnuCheckArchive");
    lblDetails = named(new QLabel, "lblDetails");
    lblDetails->setWordWrap(true);
    // Names from outside are in it: a tag among them is text, like the rest.
    lblDetails->setTextFormat(Qt::PlainText);
    lblDetails->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // It takes the room under the picture and scrolls when that is too little;
    // the window never grows for it.
    scrDetails = named(new QScrollArea(form), "scrDetails");
    scrDetails->setWidget(lblDetails);
    scrDetails->setWidgetResizable(true);
    scrDetails->setFrameShape(QFrame::NoFrame);
    scrDetails->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrDetails->setMinimumHeight(0);
    scrDetails->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    scrDetails->setFocusPolicy(Qt::NoFocus);
}

void frmPrincipalUi::buildFinding(QWidget *form)
{
    fraNotice = named(new QFrame(form), "fraNotice");
    fraNotice->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    fraNotice->setAutoFillBackground(true);
    fraNotice->setBackgroundRole(QPalette::ToolTipBase);
    fraNotice->setForegroundRole(QPalette::ToolTipText);
    lblNotice = named(new QLabel(fraNotice), "lblNotice");
    lblNotice->setWordWrap(true);
    lblNotice->setTextFormat(Qt::PlainText); // the typed folder, an archive's file
    lblNotice->setForegroundRole(QPalette::ToolTipText);
    cmdNotice = named(new QPushButton(fraNotice), "cmdNotice");
    auto *notice = new QHBoxLayout(fraNotice);
    notice->setContentsMargins(6, 4, 6, 4);
    auto *icon = new QLabel(fraNotice);
    const int side = form->style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(form->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(side));
    notice->addWidget(icon, 0, Qt::AlignTop);
    notice->addWidget(lblNotice, 1);
    notice->addWidget(cmdNotice, 0, Qt::AlignVCenter);
    fraNotice->hide();

    txtSearch = named(new QLineEdit(form), "txtSearch");
    txtSearch->setClearButtonEnabled(true);
    lblFilter = named(new QLabel(form), "lblFilter");
    cboFilter = named(new QComboBox(form), "cboFilter");
    lblFilter->setBuddy(cboFilter);
    for (int item = 0; item < 4; ++item)
        cboFilter->addItem(QString());
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
    auto *finding = new QHBoxLayout;
    finding->addWidget(txtSearch, 1);
    finding->addWidget(lblFilter);
    finding->addWidget(cboFilter);
    auto *scope = new QHBoxLayout;
    for (QWidget *widget : QWidgetList{lblScope, cboScope, cmdOwnReset, cmdPreview})
        scope->addWidget(widget);
    scope->addStretch(1);
    auto *left = new QVBoxLayout;
    left->addLayout(finding);
    left->addWidget(lstGames, 1);
    left->addLayout(scope);
    left->addWidget(abas);
    lblLanguage->setBuddy(cboLang);
    auto *language = new QHBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(lblLanguage), static_cast<QWidget *>(cboLang),
                            static_cast<QWidget *>(cmdHelp), static_cast<QWidget *>(cmdBigScreen)})
        language->addWidget(widget);
    language->addWidget(lblSite, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(Picture1, 3);
    right->addLayout(language);
    right->addWidget(scrDetails, 1);
    // The list gets most of a wider window, the picture the rest.
    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addLayout(left, 3);
    top->addLayout(right, 2);
    auto *upper = new QWidget(form);
    upper->setLayout(top);

    splLog = named(new QSplitter(Qt::Vertical, form), "splLog");
    splLog->setChildrenCollapsible(false);
    splLog->addWidget(upper);
    splLog->addWidget(txtlog);
    splLog->setStretchFactor(0, 1);
    splLog->setStretchFactor(1, 0);
    // Across the top, outside the splitter: the window's own layout gives its
    // wrapped lines the height they need.
    auto *window = new QVBoxLayout(form);
    window->setContentsMargins(8, 8, 8, 8);
    window->addWidget(fraNotice);
    window->addWidget(splLog);
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
    // Through its proxy it would still be a stop wherever the chain has it.
    abas->setFocusProxy(nullptr);
    // Its scroll arrows, when shown, are for the mouse; in the chain they
    // would hand Tab back to the headers.
    for (QToolButton *arrow : headers->findChildren<QToolButton *>())
        arrow->setFocusPolicy(Qt::NoFocus);
    const QWidgetList order = QWidgetList{cmdNotice, txtSearch,   cboFilter,  lstGames, Picture1,
                                          cboScope,  cmdOwnReset, cmdPreview, cmdPlay,  headers} +
                              m_pageOrder +
                              QWidgetList{cboLang, cmdHelp, cmdBigScreen, lblSite, txtlog};
    // The ring closes from the log box back to the first: Tab goes round.
    for (qsizetype i = 1; i <= order.size(); ++i)
        form->setTabOrder(order[i - 1], order[i % order.size()]);
}

void frmPrincipalUi::nameControls(const LanguageTextTable &texts) const
{
    cmdPlay->setText(texts.text(textKey::playCaption));
    cmdHelp->setToolTip(texts.text(textKey::helpButtonTip));
    cmdHelp->setAccessibleName(texts.text(textKey::aboutTitle));
    cmdBigScreen->setToolTip(texts.text(textKey::bigScreenCaption) + QStringLiteral(" (F11)"));
    cmdBigScreen->setAccessibleName(texts.text(textKey::bigScreenCaption));
    abas->setTabText(videoTab, texts.text(textKey::videoTabCaption));
    abas->setTabText(audioTab, texts.text(textKey::audioTabCaption));
    abas->setTabText(generalTab, texts.text(textKey::generalTabCaption));
    lstGames->setAccessibleName(texts.text(textKey::gamesListName));
    txtSearch->setPlaceholderText(texts.text(textKey::searchPlaceholder));
    txtSearch->setAccessibleName(texts.text(textKey::searchName));
    lblFilter->setText(texts.text(textKey::filterName));
    for (const int key : {textKey::filterAll, textKey::filterAvailable, textKey::filterFavourites,
                          textKey::filterRecent})
        cboFilter->setItemText(key - textKey::filterAll, texts.text(key));
    lblDetails->setAccessibleName(texts.text(textKey::detailsName));
    mnuPlay->setText(texts.text(textKey::playCaption));
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
