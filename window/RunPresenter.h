// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QObject>

#include <memory>
#include <optional>

class QListWidget;
class QPushButton;
class QSessionManager;
class QTimer;
class QWidget;

namespace rivonel {

class Desktop;
class GameRun;
class LanguageTextTable;
class RunWindow;

// What the user sees of a run: the main window locked under the hourglass,
// the small run window with Stop, and the window given back at the end. A
// close or the desktop session's end during a run asks whether to stop the
// game; no game outlives the window.
class RunPresenter : public QObject {
    Q_OBJECT
public:
    RunPresenter(QWidget &form, QPushButton &play, QTimer &clock, GameRun &run, Desktop &desktop,
                 const LanguageTextTable &texts);
    ~RunPresenter() override;

    // The run has started: locks the window and shows the run window.
    void lock(const QString &game);
    // Takes on a run an earlier copy left going, locked on it as on a start
    // (its game's title from the list): what to tell the user, or nothing
    // when there was no such run.
    std::optional<Wording> resume(const QListWidget &games);
    // The run is over: gives the window back, and closes it if the user asked to.
    void giveBack();
    // Whether Play may be pressed once no run holds the window (a game is
    // selected).
    void setPlayable(bool playable);
    // Whether the window may close now. During a run it asks; a yes stops
    // the game, and the window closes once the run has ended.
    bool mayClose();
    // The program is ending: the run is stopped here and now.
    void endNow();

    RunWindow *runWindow() const { return m_runWindow.get(); }
    // The window the run window stands over: the form, or the big-screen view.
    void showOver(QWidget *window) { m_over = window; }

private:
    void connectSignals(RunWindow *opened = nullptr);
    void stop();
#ifndef QT_NO_SESSIONMANAGER
    void sessionEnding(QSessionManager &manager);
#endif

    QWidget &m_form;
    QPushButton &m_play;
    QTimer &m_clock;
    GameRun &m_run;
    Desktop &m_desktop;
    const LanguageTextTable &m_texts;
    std::unique_ptr<RunWindow> m_runWindow;
    bool m_hourglass = false;
    bool m_playable = true;
    bool m_closeAfterRun = false; // the user chose to stop the run and close
    QWidget *m_over = nullptr;
};

} // namespace rivonel
