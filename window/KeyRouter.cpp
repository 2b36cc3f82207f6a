// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyRouter.h"

#include "window/frmPrincipalUi.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace rivonel {

KeyRouter::KeyRouter(QWidget &form, const frmPrincipalUi &ui)
    : QObject(&form), m_form(form), m_ui(ui)
{
    form.installEventFilter(this);
    for (QWidget *child : form.findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool KeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    auto *widget = qobject_cast<QWidget *>(watched);
    // Popups (an open drop-down list) are windows of their own and keep their keys.
    if (!widget || widget->window() != &m_form)
        return false;
    if (pressesPlay(key, widget)) {
        if (m_ui.cmdPlay->isEnabled())
            m_ui.cmdPlay->click();
        return true;
    }
    if (watched == m_ui.txtlog && discardedByLog(key))
        return true;
    // Back to the list from anywhere, as a pad's B does.
    if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
        m_ui.lstGames->setFocus(Qt::TabFocusReason);
        return true;
    }
    return switchTab(key);
}

bool KeyRouter::pressesPlay(const QKeyEvent &key, QWidget *widget) const
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // Another command button with the focus is pressed by Enter itself, and
    // so is the link.
    const bool otherButton =
        (qobject_cast<QPushButton *>(widget) && widget != m_ui.cmdPlay) || widget == m_ui.lblSite;
    return enter && plain && !otherButton;
}

bool KeyRouter::switchTab(const QKeyEvent &key) const
{
    if (key.modifiers() != Qt::ControlModifier &&
        key.modifiers() != (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    int step = 0;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        step = shift || key.key() == Qt::Key_Backtab ? -1 : 1;
    else if (!shift && (key.key() == Qt::Key_PageDown || key.key() == Qt::Key_PageUp))
        step = key.key() == Qt::Key_PageDown ? 1 : -1;
    if (step == 0)
        return false;
    QTabWidget *tabs = m_ui.abas;
    const bool focusOnTab = tabs->currentWidget()->isAncestorOf(m_form.focusWidget());
    tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
    // The focus leaves a tab that is no longer shown for the tab headers.
    if (focusOnTab)
        tabs->findChild<QTabBar *>()->setFocus(Qt::TabFocusReason);
    return true;
}

// Typing into the log box is discarded (the box is also read-only, which
// keeps paste, cut and drops out); selecting, copying and Tab still work.
bool KeyRouter::discardedByLog(const QKeyEvent &key)
{
    if (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::SelectAll))
        return false;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return false;
    return !key.text().isEmpty();
}

} // namespace rivonel
