// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

#include <QObject>

class QWidget;

namespace rivonel {

class BigScreenView;
class frmPrincipalUi;
class GameList;
class GameRun;
class PadDriver;
class RunPresenter;
class WindowGeometry;

// Playing from the sofa or a cabinet: the big-screen view with its ways in
// (F11, its button, --big-screen, the last session's choice) and the pads
// that drive the window, with the stop combination the General tab chooses.
class CouchMode : public QObject {
    Q_OBJECT
public:
    CouchMode(QWidget &form, const frmPrincipalUi &ui, GameList &games, const GameRun &run,
              RunPresenter &runView, WindowGeometry &geometry, const LanguageTextTable &texts);

    // Once the options are loaded: reads the pads, and learns whether the
    // last session left the big-screen view in sight.
    void start();
    // Enters the view when asked, or when the last session left it so (once).
    void enterIf(bool asked);
    void toggle();
    void showTexts();

    BigScreenView *bigScreen() const { return m_bigScreen; }
    PadDriver &pads() const { return *m_pads; }

Q_SIGNALS:
    void told(const rivonel::Wording &text);

private:
    const frmPrincipalUi &m_ui;
    WindowGeometry &m_geometry;
    BigScreenView *m_bigScreen;
    PadDriver *m_pads;
    bool m_restore = false;
};

} // namespace rivonel
