// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PadDriver.h"

#include "core/run/GameRun.h"
#include "platform/GamePads.h"
#include "window/BigScreenView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWindow>

namespace rivonel {

namespace {

// With a pad in, as often as a run's watch looks at the emulator; without
// one, or while the pad is another program's (no run, none of Rivonel's
// windows active), only to find a pad plugged in.
constexpr int padLookMs = 50;
constexpr int noPadLookMs = 1000;

} // namespace

PadDriver::PadDriver(const Targets &targets, const GameRun &run, const LanguageTextTable &texts,
                     QObject *parent, PadTiming timing)
    : QObject(parent), m_targets(targets), m_run(run), m_texts(texts), m_navigator(timing)
{
    connect(&m_look, &QTimer::timeout, this, &PadDriver::look);
    // Coming back to Rivonel, the pad is read at once and then often again.
    if (qApp)
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
            if (m_pads)
                look();
        });
    m_clock.start();
}

PadDriver::~PadDriver() = default;

void PadDriver::start()
{
    m_pads = std::make_unique<GamePads>();
    if (!m_pads->available()) {
        Q_EMIT told([why = m_pads->problem()](const LanguageTextTable &texts) {
            return texts.text(textKey::padsUnavailable).arg(why);
        });
        return;
    }
    look();
}

void PadDriver::setStopCombination(int position)
{
    m_navigator.setStopButtons(stopCombination(position));
}

int PadDriver::padsConnected() const
{
    return m_pads ? m_pads->connected() : 0;
}

void PadDriver::look()
{
    if (!m_pads || !m_pads->available())
        return;
    const qint64 now = m_clock.elapsed();
    m_navigator.setRunning(m_run.watching());
    std::vector<PadAction> actions;
    for (const PadEvent &event : m_pads->look())
        for (PadAction action : follow(event, now))
            actions.push_back(action);
    for (PadAction action : m_navigator.tick(now))
        actions.push_back(action);
    for (PadAction action : actions)
        act(action);
    pace();
}

std::vector<PadAction> PadDriver::follow(const PadEvent &event, qint64 now)
{
    switch (event.kind) {
    case PadEvent::Kind::Connected:
    case PadEvent::Kind::Disconnected: {
        const bool in = event.kind == PadEvent::Kind::Connected;
        if (!in)
            m_navigator.padGone(event.pad);
        Q_EMIT told([in, name = event.name](const LanguageTextTable &texts) {
            return texts.text(in ? textKey::padConnected : textKey::padDisconnected).arg(name);
        });
        return {};
    }
    case PadEvent::Kind::ButtonDown:
        return m_navigator.press(event.pad, static_cast<PadButton>(event.control), now);
    case PadEvent::Kind::ButtonUp:
        return m_navigator.release(event.pad, static_cast<PadButton>(event.control), now);
    case PadEvent::Kind::StickY:
        return m_navigator.stick(event.pad, event.value, now);
    }
    return {};
}

// A window of Rivonel's has the focus: the pad is meant for it. (isAncestorOf
// stops at a window's edge; the big-screen view and the dialogs are windows.)
bool PadDriver::ours(QWidget *window) const
{
    for (; window; window = window->parentWidget())
        if (window == m_targets.form)
            return true;
    return false;
}

void PadDriver::act(PadAction action)
{
    if (action == PadAction::Stop)
        return m_targets.stop();
    if (!ours(QApplication::activeWindow()))
        return;
    // A dialog or an open list takes the pad as it takes the keys.
    QWidget *over = QApplication::activePopupWidget();
    if (!over)
        over = QApplication::activeModalWidget();
    if (over) {
        QWidget *to = over->focusWidget() ? over->focusWidget() : over;
        const int keys[] = {Qt::Key_Up,
                            Qt::Key_Down,
                            Qt::Key_Return,
                            Qt::Key_Tab,
                            Qt::Key_Backtab,
                            Qt::Key_Escape,
                            0,
                            0};
        if (const int key = keys[static_cast<int>(action)])
            sendKey(to, key);
        return;
    }
    BigScreenView *big = m_targets.bigScreen;
    const bool bigShown = big && big->isVisible();
    QListWidget *list = bigShown ? big->lstBig : m_targets.list;
    switch (action) {
    case PadAction::Up:
    case PadAction::Down:
        list->setFocus(Qt::TabFocusReason);
        sendKey(list, action == PadAction::Up ? Qt::Key_Up : Qt::Key_Down);
        break;
    case PadAction::Play:
        if (m_targets.play->isEnabled())
            m_targets.play->click();
        break;
    case PadAction::NextTab:
    case PadAction::PreviousTab:
        // Ctrl+Tab and Ctrl+Shift+Tab, which the window's keys take anywhere.
        if (!bigShown)
            sendKey(m_targets.form, action == PadAction::NextTab ? Qt::Key_Tab : Qt::Key_Backtab,
                    action == PadAction::NextTab ? Qt::ControlModifier
                                                 : Qt::ControlModifier | Qt::ShiftModifier);
        break;
    case PadAction::ToList:
        list->setFocus(Qt::TabFocusReason);
        break;
    case PadAction::LeaveBigScreen:
        if (bigShown)
            big->leave();
        break;
    case PadAction::Stop:
        break;
    }
}

void PadDriver::sendKey(QWidget *to, int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(to, &release);
}

void PadDriver::pace()
{
    const bool padInUse =
        m_pads->connected() > 0 && (m_run.watching() || ours(QApplication::activeWindow()));
    const int interval = padInUse ? padLookMs : noPadLookMs;
    if (m_look.interval() != interval || !m_look.isActive())
        m_look.start(interval);
}

} // namespace rivonel
