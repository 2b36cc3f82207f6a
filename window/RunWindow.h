// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class QLabel;
class QPushButton;

namespace rivonel {

// The small window over the locked main window while a game runs: the game,
// the time since it started, and Stop, the one way out. Stopping a game takes
// a deliberate act: a click, Space on the button or Escape. Enter and a held
// key's repeats never stop it (a second Enter after Play lands here).
class RunWindow : public QDialog {
    Q_OBJECT
public:
    RunWindow(const QString &game, const LanguageTextTable &texts, QWidget *parent);

    QLabel *lblGame = nullptr;
    QLabel *lblTime = nullptr;
    QPushButton *cmdStop = nullptr;

Q_SIGNALS:
    void stopRequested();

protected:
    // Escape and the window's close button ask for a stop; only the end of
    // the run closes this window.
    void reject() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdStop_Click();
    void showTime();

    LanguageTextTable m_texts;
    QElapsedTimer m_clock;
    QTimer m_tick;
};

} // namespace rivonel
