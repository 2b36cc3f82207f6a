// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace rivonel {

class frmPrincipalUi;

// The window's keys: Enter presses Play from anywhere in the window, as a
// dialog's default button would, unless another button or the link has the
// focus; Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch tabs from
// anywhere; Escape takes the focus back to the game list; the log box takes
// no typing but lets Tab move on.
class KeyRouter : public QObject {
    Q_OBJECT
public:
    // Watches form and every control it holds now.
    KeyRouter(QWidget &form, const frmPrincipalUi &ui);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool pressesPlay(const QKeyEvent &key, QWidget *widget) const;
    bool switchTab(const QKeyEvent &key) const;
    static bool discardedByLog(const QKeyEvent &key);

    QWidget &m_form;
    const frmPrincipalUi &m_ui;
};

} // namespace rivonel
