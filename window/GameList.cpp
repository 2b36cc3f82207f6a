// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/GameList.h"

#include "core/games/GameTable.h"
#include "core/history/GameRow.h"
#include "core/run/GameRun.h"
#include "core/system/ShownName.h"
#include "platform/GameShortcut.h"
#include "window/ArchiveMark.h"
#include "window/ArchiveMarks.h"
#include "window/FavouriteStar.h"
#include "window/ImageList.h"
#include "window/SnapPicture.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>

namespace rivonel {

namespace {

const QString snapExtension = QStringLiteral(".jpg");

QString titleOf(int position)
{
    return gameTable()[static_cast<std::size_t>(position)].title.toString();
}

// Marks repaint themselves when the list's palette changes (light to dark).
class PaletteFollower : public QObject {
public:
    PaletteFollower(QListWidget *list, GameList *games) : QObject(games), m_games(games)
    {
        list->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
            QMetaObject::invokeMethod(m_games, &GameList::showMarks, Qt::QueuedConnection);
        return false;
    }

private:
    GameList *m_games;
};

// A row's tooltip opens beside the list, level with the row; where the
// screen has no room for it there, it opens above the row. Either way it
// never covers Play below the list's end.
class TipBesideList : public QObject {
public:
    explicit TipBesideList(QListWidget *list) : QObject(list), m_list(list)
    {
        list->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const QModelIndex index = m_list->indexAt(static_cast<QHelpEvent *>(event)->pos());
        const QString tip = index.data(Qt::ToolTipRole).toString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            return true;
        }
        const QRect row = m_list->visualRect(index);
        const QPoint rowTop = m_list->viewport()->mapToGlobal(row.topLeft());
        // The tip's size as Qt will draw it, with room for its frame.
        const QSize size = QFontMetrics(QToolTip::font()).size(0, tip) + QSize(16, 16);
        const QPoint beside(m_list->mapToGlobal(QPoint(m_list->width(), 0)).x(), rowTop.y());
        const QScreen *screen = m_list->screen();
        const bool roomBeside =
            !screen || beside.x() + size.width() <= screen->availableGeometry().right();
        // Qt puts a tip below and right of the point it is given.
        constexpr int belowPoint = 24;
        QToolTip::showText(roomBeside ? beside
                                      : QPoint(rowTop.x(), rowTop.y() - size.height() - belowPoint),
                           tip, m_list->viewport(), row);
        return true;
    }

private:
    QListWidget *m_list;
};

} // namespace

GameList::GameList(const Controls &controls, PlatformConventions platform,
                   const ProgramFiles &files, const LanguageTextTable &texts, QObject *parent)
    : QObject(parent), m_controls(controls), m_platform(std::move(platform)), m_files(files),
      m_texts(texts), m_folder(m_platform, files.archiveChecks, texts)
{
    QListWidget *list = m_controls.list;
    list->setItemDelegate(new FavouriteStar(list));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    // On the list, so their keys work there and the menu shows them.
    m_favouriteAction = new QAction(list);
    m_favouriteAction->setCheckable(true);
    m_favouriteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_favouriteAction->setShortcutContext(Qt::WidgetShortcut);
    m_shortcutAction = new QAction(list);
    m_shortcutAction->setVisible(gameShortcutsSupported());
    list->addActions({m_favouriteAction, m_shortcutAction});
    new PaletteFollower(list, this);
    new TipBesideList(list);
    m_refit.setSingleShot(true);
    m_refit.setInterval(150);
    m_controls.picture->installEventFilter(this);
    m_pictureLoad.setJob(
        [platform = m_platform](const PictureRequest &wanted, const std::atomic_bool &) {
            return readSnapPicture(firstExistingFile(wanted.folders, wanted.name, platform),
                                   wanted.box);
        },
        [this](const PictureRequest &wanted, const QImage &picture) {
            if (wanted.selection == m_selection)
                showPicture(picture.isNull() ? m_controls.images->image(0) : picture);
        });
    connectSignals();
}

void GameList::connectSignals()
{
    QListWidget *list = m_controls.list;
    connect(list, &QListWidget::itemDoubleClicked, this, &GameList::playRequested);
    connect(m_controls.play, &QAction::triggered, this, &GameList::playRequested);
    connect(&m_refit, &QTimer::timeout, this, &GameList::readPicture);
    connect(m_controls.search, &QLineEdit::textChanged, this, &GameList::showMarks);
    connect(m_controls.filter, &QComboBox::currentIndexChanged, this, &GameList::showMarks);
    connect(new QShortcut(QKeySequence::Find, m_controls.list->window()), &QShortcut::activated,
            m_controls.search, [search = m_controls.search] {
                search->setFocus(Qt::ShortcutFocusReason);
                search->selectAll();
            });
    connect(list, &QListWidget::customContextMenuRequested, this, &GameList::showContextMenu);
    connect(m_favouriteAction, &QAction::triggered, this, &GameList::toggleFavourite);
    connect(m_shortcutAction, &QAction::triggered, this, &GameList::createShortcut);
    connect(&m_folder, &RomFolderWatch::changed, this, &GameList::showMarks);
    connect(&m_folder, &RomFolderWatch::told, this, &GameList::told);
}

void GameList::fill()
{
    for (const GameEntry &game : gameTable())
        m_controls.list->addItem(game.title.toString());
}

void GameList::load()
{
    m_history = PlayHistory::read(m_files.history);
    m_folder.readKnowledge();
}

void GameList::select(int position)
{
    QListWidget *list = m_controls.list;
    if (position < 0 || position >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(position);
    list->item(position)->setSelected(true);
}

// The selection, not Qt's current row: focus alone makes a row current.
int GameList::selected() const
{
    const QList<QListWidgetItem *> items = m_controls.list->selectedItems();
    return items.isEmpty() ? -1 : m_controls.list->row(items.first());
}

// The logo stands in until the game's picture is ready, and stays when it has
// none, or one that cannot be read; the window never waits for it.
void GameList::showSelectedPicture()
{
    showPicture(m_controls.images->image(0));
    readPicture();
}

// What is shown stays until the picture read at the box's size replaces it.
void GameList::readPicture()
{
    ++m_selection;
    const int position = selected();
    if (position < 0 || position >= gameCount)
        return showPicture(m_controls.images->image(0));
    m_pictureLoad.request(
        {m_files.snapFolders,
         gameTable()[static_cast<std::size_t>(position)].romSet.toString() + snapExtension,
         m_controls.picture->contentsRect().size(), m_selection});
}

void GameList::showPicture(const QImage &picture)
{
    const QSize box = m_controls.picture->contentsRect().size();
    const QImage fitted = picture.size() == box || box.isEmpty()
                              ? picture
                              : picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_controls.picture->setPixmap(QPixmap::fromImage(fitted));
    Q_EMIT pictureShown(picture);
}

// A game whose archive is not there is marked with an icon and dimmed, and
// says so to the mouse and to a screen reader: the colour is never all there is.
void GameList::showMarks()
{
    QListWidget *list = m_controls.list;
    const auto filter = GameFilter(std::max(0, m_controls.filter->currentIndex()));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int position = 0; position < gameCount && position < list->count(); ++position) {
        QListWidgetItem *item = list->item(position);
        const GameRow shown = row(position);
        if (shown.absent)
            markMissingArchive(*list, *item, shown.description);
        else
            showArchiveMark(item, shown.state, shown.description);
        item->setData(favouriteRole, shown.favourite);
        item->setData(ownValuesRole, !shown.ownValues.isEmpty());
        list->setRowHidden(position,
                           !shownInList(position, shown, filter, m_controls.search->text(), now));
    }
    showDetails();
}

bool GameList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_controls.picture && event->type() == QEvent::Resize)
        m_refit.start();
    return false;
}

GameRow GameList::row(int position, qsizetype longestName) const
{
    GameRow shown = gameRow(position, m_folder.look(), m_folder.knowledge(), m_history, m_texts,
                            m_controls.list->locale(), longestName);
    if (m_ownValues)
        addOwnValues(shown, m_ownValues(position), m_texts);
    return shown;
}

// A name cut in the details is there in full, or nearly, for the mouse and
// for a screen reader.
void GameList::showDetails()
{
    const int position = selected();
    const QString details = gameDetails(position, row(position), m_texts);
    const QString whole = gameDetails(position, row(position, tipNameLength), m_texts);
    m_controls.details->setText(details);
    m_controls.details->setToolTip(whole == details ? QString() : whole);
    m_controls.details->setAccessibleDescription(whole == details ? QString() : whole);
}

void GameList::runEnded(const RunOutcome &outcome)
{
    m_folder.learnFrom(outcome);
    m_history.endRun(outcome.position, outcome.started, outcome.ended);
    saveHistory();
    showMarks();
}

void GameList::runStarted(int position, const QDateTime &start)
{
    m_history.startRun(position, start);
    saveHistory();
    showMarks();
}

void GameList::saveHistory()
{
    if (!QDir().mkpath(m_files.settingsDirectory) || !m_history.write(m_files.history))
        Q_EMIT told([file = m_files.history](const LanguageTextTable &texts) {
            return texts.text(textKey::historyNotSaved).arg(shownName(file));
        });
}

void GameList::showContextMenu(const QPoint &at)
{
    QListWidget *list = m_controls.list;
    const QModelIndex index = list->indexAt(at);
    if (!index.isValid())
        return;
    // The menu is about the game clicked, which every action reads as the selected one.
    select(index.row());
    m_favouriteAction->setText(m_texts.text(textKey::favouriteCaption));
    m_favouriteAction->setChecked(m_history.at(index.row()).favourite);
    m_shortcutAction->setText(m_texts.text(textKey::createShortcutCaption));
    m_controls.checkArchive->setText(m_texts.text(textKey::checkArchiveCaption));
    QMenu menu(list);
    menu.addAction(m_controls.play);
    menu.setDefaultAction(m_controls.play);
    menu.addSeparator();
    menu.addActions({m_favouriteAction, m_shortcutAction, m_controls.checkArchive});
    menu.exec(list->viewport()->mapToGlobal(at));
}

void GameList::toggleFavourite()
{
    const int position = selected();
    if (position < 0 || position >= gameCount)
        return;
    m_history.setFavourite(position, !m_history.at(position).favourite);
    saveHistory();
    showMarks();
}

void GameList::createShortcut()
{
    const int position = selected();
    if (position < 0 || position >= gameCount)
        return;
    const QString game = playArgument(position);
    const QString written =
        writeGameShortcut(QCoreApplication::applicationFilePath(), titleOf(position), game);
    Q_EMIT told([title = titleOf(position), written,
                 path = gameShortcutPath(game)](const LanguageTextTable &texts) {
        return written.isEmpty()
                   ? texts.text(textKey::shortcutNotWritten).arg(shownName(path))
                   : texts.text(textKey::shortcutCreated).arg(title, shownName(written));
    });
}

} // namespace rivonel
