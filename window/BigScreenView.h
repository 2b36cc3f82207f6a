// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace rivonel {

class GameList;
class PictureBox;

// The window for a television or a cabinet: full screen, the game list in
// large type, the selected game's picture large with what is known of it,
// Play, and the log box's last lines. It shows the main window's own list
// and Play, so a run, its reports and its texts are those of the window.
// Escape, F11 or Back held leave it; its type grows with the screen.
class BigScreenView : public QWidget {
    Q_OBJECT
public:
    BigScreenView(GameList &games, QListWidget &list, QPushButton &play, QPlainTextEdit &log,
                  const LanguageTextTable &texts, QWidget *form);

    void enter();
    void leave();
    // The texts in the language the window has now.
    void showTexts();

    QListWidget *lstBig = nullptr;
    PictureBox *picBig = nullptr;
    QLabel *lblBigTitle = nullptr;
    QLabel *lblBigDetails = nullptr;
    QPushButton *cmdBigPlay = nullptr;
    QLabel *lblBigLog = nullptr;
    QLabel *lblBigHelp = nullptr;

Q_SIGNALS:
    void shownChanged(bool shown);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    void fillList();
    void followSelection();
    void showGame();
    void showPicture();
    void showLog();
    void fitType();

    GameList &m_games;
    QListWidget &m_list;
    QPushButton &m_play;
    QPlainTextEdit &m_log;
    const LanguageTextTable &m_texts;
    QImage m_picture;
};

} // namespace rivonel
