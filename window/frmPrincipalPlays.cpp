// The play history, the favourites, a game's desktop shortcut and a Play
// asked for by a command line: the window marks and tells, and never
// reorders its list, where a game is its position.
#include "core/system/CommandLine.h"
#include "platform/GameShortcut.h"
#include "window/FavouriteStar.h"
#include "window/frmPrincipal.h"
#include "window/LogBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace rivonel {

namespace {

QString historyPath(const ProgramLocations &locations, const PlatformConventions &platform)
{
    return platform.join(locations.settingsDirectory, PlayHistory::fileName.toString());
}

QString titleOf(int position)
{
    return gameTable()[static_cast<std::size_t>(position)].title.toString();
}

} // namespace

void frmPrincipal::setUpPlayMarks()
{
    lstGames->setItemDelegate(new FavouriteStar(lstGames));
    lstGames->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstGames, &QListWidget::customContextMenuRequested, this,
            &frmPrincipal::lstGames_ContextMenu);

    // On the list, so their keys work there and the menu shows them.
    m_favouriteAction = new QAction(lstGames);
    m_favouriteAction->setCheckable(true);
    m_favouriteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_favouriteAction->setShortcutContext(Qt::WidgetShortcut);
    connect(m_favouriteAction, &QAction::triggered, this, &frmPrincipal::toggleFavourite);
    m_shortcutAction = new QAction(lstGames);
    m_shortcutAction->setVisible(gameShortcutsSupported());
    connect(m_shortcutAction, &QAction::triggered, this, &frmPrincipal::createShortcut);
    lstGames->addActions({m_favouriteAction, m_shortcutAction});

    // Only a run that started counts: a launch refused by the checks never does.
    connect(&m_run, &GameRun::started, this, &frmPrincipal::recordRunStart);
    connect(&m_run, &GameRun::ended, this, &frmPrincipal::recordRunEnd);
}

void frmPrincipal::loadPlayHistory()
{
    m_history = PlayHistory::read(historyPath(m_locations, m_platform));
}

void frmPrincipal::recordRunStart()
{
    m_runPosition = currentOptions().game.position;
    m_runStart = QDateTime::currentDateTimeUtc();
}

void frmPrincipal::recordRunEnd()
{
    m_history.addRun(m_runPosition, m_runStart, QDateTime::currentDateTimeUtc());
    m_runPosition = -1;
    saveHistory();
    showRomMarks();
}

void frmPrincipal::saveHistory()
{
    const QString path = historyPath(m_locations, m_platform);
    if (!QDir().mkpath(m_locations.settingsDirectory) || !m_history.write(path))
        tellUser(LanguageTexts.text(textKey::historyNotSaved).arg(path));
}

QString frmPrincipal::withPlayHistory(int position, const QString &archiveText) const
{
    QStringList lines;
    if (!archiveText.isEmpty())
        lines << archiveText;
    if (m_history.at(position).favourite)
        lines << LanguageTexts.text(textKey::favouriteCaption);
    lines << playHistoryText(m_history.at(position), LanguageTexts, locale());
    return lines.join(u'\n');
}

void frmPrincipal::markFavourite(QListWidgetItem *item, int position) const
{
    item->setData(favouriteRole, m_history.at(position).favourite);
}

void frmPrincipal::lstGames_ContextMenu(const QPoint &at)
{
    const QModelIndex index = lstGames->indexAt(at);
    m_menuPosition = index.isValid() ? index.row() : -1;
    if (m_menuPosition < 0)
        return;
    // Checking an archive reports on the selected game: the one clicked.
    selectGamePosition(m_menuPosition);
    m_favouriteAction->setText(LanguageTexts.text(textKey::favouriteCaption));
    m_favouriteAction->setChecked(m_history.at(m_menuPosition).favourite);
    m_shortcutAction->setText(LanguageTexts.text(textKey::createShortcutCaption));
    QMenu menu(this);
    menu.addActions({m_favouriteAction, m_shortcutAction, mnuCheckArchive});
    menu.exec(lstGames->viewport()->mapToGlobal(at));
    m_menuPosition = -1;
}

// The game the menu was opened on, or else the selected one (its key).
int frmPrincipal::actionPosition() const
{
    return m_menuPosition >= 0 ? m_menuPosition : currentOptions().game.position;
}

void frmPrincipal::toggleFavourite()
{
    const int position = actionPosition();
    if (position < 0 || position >= gameCount)
        return;
    m_history.setFavourite(position, !m_history.at(position).favourite);
    saveHistory();
    showRomMarks();
}

void frmPrincipal::createShortcut()
{
    const int position = actionPosition();
    if (position < 0 || position >= gameCount)
        return;
    // The set's name when it names this game; the number for the second game of a set.
    const QString romSet = gameTable()[static_cast<std::size_t>(position)].romSet.toString();
    const QString game =
        gamePositionNamed(romSet) == position ? romSet : QString::number(gameNumber(position));
    const QString written =
        writeGameShortcut(QCoreApplication::applicationFilePath(), titleOf(position), game);
    tellUser(written.isEmpty()
                 ? LanguageTexts.text(textKey::shortcutNotWritten).arg(gameShortcutPath(game))
                 : LanguageTexts.text(textKey::shortcutCreated).arg(titleOf(position), written));
}

void frmPrincipal::followCommandLine(const QStringList &args)
{
    QStringList arguments = args;
    if (!arguments.isEmpty() && !arguments.first().startsWith(u'-'))
        arguments.removeFirst();
    const CommandLine command = parseCommandLine(arguments);
    if (!m_loaded || command.game.isEmpty())
        return;
    if (command.action != CommandLine::Action::Play) {
        if (!gamePositionNamed(command.game))
            tellUser(LanguageTexts.text(textKey::playAskedUnknownGame).arg(command.game));
        return;
    }
    const QString title = titleOf(command.position);
    if (m_run.watching()) {
        tellUser(LanguageTexts.text(textKey::playAskedDuringRun).arg(title));
        return;
    }
    if (!isEnabled() || !cmdPlay->isEnabled() || QApplication::activeModalWidget()) {
        tellUser(LanguageTexts.text(textKey::playAskedWhileBusy).arg(title));
        return;
    }
    selectGamePosition(command.position);
    cmdPlay->click();
}

} // namespace rivonel
