// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/pads/PadNavigator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace rivonel {

class BigScreenView;
class GamePads;
class GameRun;
struct PadEvent;

// The game pads drive the window as the keyboard does: up and down move
// through the game list, A or Start presses Play, the shoulder buttons
// switch the option tabs, B takes the focus back to the list, and in a
// dialog A and B are Enter and Escape. Only while one of Rivonel's windows
// is active: a pad used elsewhere starts nothing. While a game runs the pads
// are the emulator's; only the stop combination, held, presses Stop.
class PadDriver : public QObject {
    Q_OBJECT
public:
    struct Targets {
        QWidget *form;
        QListWidget *list;
        QTabWidget *tabs;
        QPushButton *play;
        BigScreenView *bigScreen;
        std::function<void()> stop; // the run window's Stop
    };

    PadDriver(const Targets &targets, const GameRun &run, const LanguageTextTable &texts,
              QObject *parent = nullptr, PadTiming timing = {});
    ~PadDriver() override;

    // Starts reading the pads: what cannot be used is said, once.
    void start();
    void setStopCombination(int position);
    // Looks at the pads now, as the timer does.
    void look();

    int padsConnected() const;
    int lookInterval() const { return m_look.interval(); }

Q_SIGNALS:
    void told(const rivonel::Wording &text);

private:
    std::vector<PadAction> follow(const PadEvent &event, qint64 now);
    void act(PadAction action);
    void sendKey(QWidget *to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    bool ours(QWidget *window) const;
    void pace();

    const Targets m_targets;
    const GameRun &m_run;
    const LanguageTextTable &m_texts;
    std::unique_ptr<GamePads> m_pads;
    PadNavigator m_navigator;
    QTimer m_look;
    QElapsedTimer m_clock;
};

} // namespace rivonel
