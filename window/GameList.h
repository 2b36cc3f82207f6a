// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/history/GameRow.h"
#include "core/history/PlayHistory.h"
#include "core/languages/LanguageTextTable.h"
#include "core/system/PlatformConventions.h"
#include "core/system/ProgramFiles.h"
#include "core/system/SerialWorker.h"
#include "window/RomFolderWatch.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <functional>

class QAction;
class QComboBox;
class QLineEdit;
class QLabel;
class QListWidget;
class QPoint;

namespace rivonel {

class ImageList;
struct RunOutcome;

// The game list: each game's mark and what it says to the mouse and to a
// screen reader, the selected game's picture, the play history, the
// favourites, a game's desktop shortcut and the list's context menu. It never
// reorders the list, where a game is its position, and tells the form what
// the user asked of it by signals.
class GameList : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QListWidget *list;
        QLabel *picture;
        ImageList *images;     // the logo, which stands in for a missing picture
        QAction *play;         // the context menu's Play
        QAction *checkArchive; // the context menu's "Check archive"
        QLabel *details;       // what is known of the selected game
        QLineEdit *search;     // by title or ROM set
        QComboBox *filter;     // all, available, favourites, played recently
    };
    GameList(const Controls &controls, PlatformConventions platform, const ProgramFiles &files,
             const LanguageTextTable &texts, QObject *parent = nullptr);

    // The games' titles, in the emulator's order.
    void fill();
    // The history and what earlier checks found.
    void load();
    // Selects the game at position (-1 for none), as a click does.
    void select(int position);
    int selected() const;
    // The selected game's picture: the logo until it is read, and when there is none.
    void showSelectedPicture();
    void showPicture(const QImage &picture);
    // Every game's mark and description, as the folder, the checks and the
    // history say; only the rows the search and the filter keep (positions
    // stay those of the table), and the details.
    void showMarks();
    // The selected game's details.
    void showDetails();
    // Where the list learns each game's own options, as a summary (empty for none).
    void setOwnValuesOf(std::function<QString(int position)> summary)
    {
        m_ownValues = std::move(summary);
    }
    // What the list says of the game at position.
    GameRow row(int position, qsizetype longestName = shownNameLength) const;

    RomFolderWatch &romFolder() { return m_folder; }
    const RomFolderWatch &romFolder() const { return m_folder; }
    const PlayHistory &playHistory() const { return m_history; }
    bool pictureLoading() const { return m_pictureLoad.busy(); }
    QAction *favouriteAction() const { return m_favouriteAction; }
    QAction *shortcutAction() const { return m_shortcutAction; }

    // A run counts in the history from its start; its end adds its time and
    // teaches the archive's check.
    void runStarted(int position, const QDateTime &start);
    void runEnded(const RunOutcome &outcome);

Q_SIGNALS:
    void playRequested();                     // a double click, or Play in the menu
    void pictureShown(const QImage &picture); // as read, before it is fitted
    void told(const rivonel::Wording &text);

private:
    struct PictureRequest {
        QStringList folders;
        QString name;
        QSize box;
        quint64 selection = 0;
    };
    void connectSignals();
    void showContextMenu(const QPoint &at);
    void toggleFavourite();
    void createShortcut();
    void saveHistory();
    void readPicture();
    bool eventFilter(QObject *watched, QEvent *event) override;

    const Controls m_controls;
    const PlatformConventions m_platform;
    const ProgramFiles m_files;
    const LanguageTextTable &m_texts;
    RomFolderWatch m_folder;
    // An answer for an earlier selection is dropped.
    SerialWorker<PictureRequest, QImage> m_pictureLoad;
    quint64 m_selection = 0;
    PlayHistory m_history;
    QAction *m_favouriteAction = nullptr;
    QAction *m_shortcutAction = nullptr;
    // A picture grown or shrunk with the window is read again at its new size.
    QTimer m_refit;
    std::function<QString(int)> m_ownValues;
};

} // namespace rivonel
