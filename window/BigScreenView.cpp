// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BigScreenView.h"

#include "core/games/GameTable.h"
#include "core/history/GameRow.h"
#include "window/GameList.h"
#include "window/PictureBox.h"

#include <QAbstractItemModel>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>

namespace rivonel {

namespace {

// The log box's last lines: what the last run said, readable from afar.
constexpr int logLines = 3;
// Type in screen heights: a row of the list is a 28th of the screen.
constexpr int rowsPerScreen = 28;

QLabel *wrappingLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void setPixelSize(QWidget *widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(std::max(pixels, 8));
    widget->setFont(font);
}

} // namespace

BigScreenView::BigScreenView(GameList &games, QListWidget &list, QPushButton &play,
                             QPlainTextEdit &log, const LanguageTextTable &texts, QWidget *form)
    : QWidget(form, Qt::Window), m_games(games), m_list(list), m_play(play), m_log(log),
      m_texts(texts)
{
    setObjectName(QStringLiteral("BigScreenView"));
    setAttribute(Qt::WA_StyledBackground);
    // Light type on black, as on a television; the focus in a bright frame
    // that reads across a room.
    // Its own children only: the run window over it keeps the desktop's look.
    setStyleSheet(QStringLiteral(
        "#BigScreenView, #BigScreenView > QListWidget { background: #101010; color: #f0f0f0; }"
        "#BigScreenView > QLabel { color: #f0f0f0; }"
        "#BigScreenView > QListWidget { border: none; }"
        "#BigScreenView > QListWidget::item:selected { background: #2456b0; color: #ffffff; }"
        "#BigScreenView > QListWidget:focus { border: 4px solid #ffcc00; }"
        "#BigScreenView > QPushButton { background: #2456b0; color: #ffffff;"
        " border: 4px solid #2456b0; padding: 0.3em 1.5em; }"
        "#BigScreenView > QPushButton:focus { border-color: #ffcc00; }"
        "#BigScreenView > QPushButton:disabled { background: #404040; border-color: #404040;"
        " color: #a0a0a0; }"));
    lstBig = new QListWidget(this);
    lstBig->setObjectName(QStringLiteral("lstBig"));
    lstBig->setUniformItemSizes(true);
    picBig = new PictureBox(QSize(64, 48), this);
    picBig->setObjectName(QStringLiteral("picBig"));
    lblBigTitle = wrappingLabel(this);
    lblBigDetails = wrappingLabel(this);
    cmdBigPlay = new QPushButton(this);
    cmdBigPlay->setObjectName(QStringLiteral("cmdBigPlay"));
    lblBigLog = wrappingLabel(this);
    lblBigHelp = wrappingLabel(this);

    auto *side = new QVBoxLayout;
    side->addWidget(picBig, 4);
    side->addWidget(lblBigTitle);
    side->addWidget(lblBigDetails);
    side->addWidget(cmdBigPlay, 0, Qt::AlignLeft);
    side->addWidget(lblBigLog);
    side->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addWidget(lstBig, 1);
    columns->addLayout(side, 1);
    auto *whole = new QVBoxLayout(this);
    whole->addLayout(columns, 1);
    whole->addWidget(lblBigHelp);
    setTabOrder(lstBig, cmdBigPlay);
    picBig->setFocusPolicy(Qt::NoFocus);
    connectSignals();
    showTexts();
    fitType();
}

void BigScreenView::connectSignals()
{
    connect(lstBig, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row != m_games.selected())
            m_games.select(row);
    });
    // Enter reaches keyPressEvent; a double click plays as in the window.
    connect(lstBig, &QListWidget::itemDoubleClicked, &m_play, &QPushButton::click);
    connect(cmdBigPlay, &QPushButton::clicked, &m_play, &QPushButton::click);
    m_play.installEventFilter(this);
    cmdBigPlay->setEnabled(m_play.isEnabled());
    connect(&m_list, &QListWidget::itemSelectionChanged, this, &BigScreenView::followSelection);
    // The list's marks and texts change with the folder, the history and
    // the language: followed while in sight.
    connect(m_list.model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (isVisible())
            fillList();
    });
    connect(&m_games, &GameList::pictureShown, this, [this](const QImage &picture) {
        m_picture = picture;
        showPicture();
    });
    connect(&m_log, &QPlainTextEdit::textChanged, this, [this] {
        if (isVisible())
            showLog();
    });
}

void BigScreenView::enter()
{
    fillList();
    followSelection();
    showLog();
    // The whole screen of the window, also where no window manager makes a
    // full-screen window so (a cabinet's bare X session).
    if (const QScreen *screen = parentWidget()->screen())
        setGeometry(screen->geometry());
    showFullScreen();
    raise();
    activateWindow();
    // Once shown: a window manager may not activate a window still being mapped.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) {
            activateWindow();
            lstBig->setFocus(Qt::TabFocusReason);
        }
    });
    Q_EMIT shownChanged(true);
}

void BigScreenView::leave()
{
    if (!isVisible())
        return;
    hide();
    QWidget *form = parentWidget();
    form->activateWindow();
    m_list.setFocus(Qt::TabFocusReason);
    Q_EMIT shownChanged(false);
}

void BigScreenView::showTexts()
{
    setWindowTitle(m_texts.text(textKey::bigScreenCaption));
    cmdBigPlay->setText(m_play.text());
    lblBigHelp->setText(m_texts.text(textKey::bigScreenHelp));
    showGame();
}

// The same rows as the window's list, in the same places.
void BigScreenView::fillList()
{
    const QSignalBlocker quiet(lstBig);
    if (lstBig->count() != m_list.count()) {
        lstBig->clear();
        for (int row = 0; row < m_list.count(); ++row)
            lstBig->addItem(QString());
    }
    for (int row = 0; row < m_list.count(); ++row) {
        const QListWidgetItem *from = m_list.item(row);
        QListWidgetItem *to = lstBig->item(row);
        to->setText(from->text());
        to->setIcon(from->icon());
        to->setToolTip(from->toolTip());
        to->setData(Qt::AccessibleDescriptionRole, from->data(Qt::AccessibleDescriptionRole));
        to->setHidden(from->isHidden());
        to->setFlags(from->flags());
    }
    lstBig->setCurrentRow(m_games.selected());
    fitType();
}

void BigScreenView::followSelection()
{
    {
        const QSignalBlocker quiet(lstBig);
        lstBig->setCurrentRow(m_games.selected());
    }
    if (QListWidgetItem *item = lstBig->currentItem())
        lstBig->scrollToItem(item);
    showGame();
}

void BigScreenView::showGame()
{
    const int position = m_games.selected();
    const QString details = gameDetails(position, m_games.row(position), m_texts);
    const qsizetype firstLine = details.indexOf(u'\n');
    lblBigTitle->setText(details.left(firstLine));
    lblBigDetails->setText(firstLine < 0 ? QString() : details.mid(firstLine + 1));
}

void BigScreenView::showPicture()
{
    const QSize box = picBig->contentsRect().size();
    if (m_picture.isNull() || box.isEmpty())
        return picBig->clear();
    picBig->setPixmap(
        QPixmap::fromImage(m_picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void BigScreenView::showLog()
{
    QStringList lines = m_log.toPlainText().split(u'\n', Qt::SkipEmptyParts);
    lines = lines.mid(std::max<qsizetype>(0, lines.size() - logLines));
    lblBigLog->setText(lines.join(u'\n'));
}

void BigScreenView::fitType()
{
    const int row = height() / rowsPerScreen;
    // The list is as wide as its longest title, up to most of the screen;
    // a title wider still makes the list's type smaller, never cut.
    QFont font = lstBig->font();
    font.setPixelSize(std::max(row, 8));
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int item = 0; item < lstBig->count(); ++item)
        widest = std::max(widest, metrics.horizontalAdvance(lstBig->item(item)->text()));
    const int chrome = 2 * lstBig->frameWidth() + 2 * font.pixelSize() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lstBig);
    const int room = width() * 3 / 5;
    int size = font.pixelSize();
    if (widest > 0 && widest + chrome > room)
        size = std::max(8, size * (room - chrome) / widest);
    setPixelSize(lstBig, size);
    lstBig->setIconSize(QSize(size, size));
    lstBig->setMinimumWidth(std::min(room, widest * size / std::max(font.pixelSize(), 1) + chrome));
    setPixelSize(lblBigTitle, row * 3 / 2);
    setPixelSize(lblBigDetails, row * 4 / 5);
    setPixelSize(cmdBigPlay, row * 6 / 5);
    setPixelSize(lblBigLog, row * 7 / 10);
    setPixelSize(lblBigHelp, row * 7 / 10);
}

void BigScreenView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F11:
        return leave();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return m_play.click();
    default:
        return QWidget::keyPressEvent(event);
    }
}

void BigScreenView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitType();
    showPicture();
}

// Closing the view goes back to the window, which stays the program's.
void BigScreenView::closeEvent(QCloseEvent *event)
{
    event->ignore();
    leave();
}

// Play here is the window's Play: enabled when it is.
bool BigScreenView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_play && event->type() == QEvent::EnabledChange)
        cmdBigPlay->setEnabled(m_play.isEnabled());
    return false;
}

} // namespace rivonel
