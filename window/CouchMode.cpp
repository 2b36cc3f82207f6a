// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/CouchMode.h"

#include "window/BigScreenView.h"
#include "window/frmPrincipalUi.h"
#include "window/PadDriver.h"
#include "window/RunPresenter.h"
#include "window/RunWindow.h"
#include "window/WindowGeometry.h"

#include "window/LogBox.h"
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

namespace rivonel {

CouchMode::CouchMode(QWidget &form, const frmPrincipalUi &ui, GameList &games, const GameRun &run,
                     RunPresenter &runView, WindowGeometry &geometry,
                     const LanguageTextTable &texts)
    : QObject(&form), m_ui(ui), m_geometry(geometry),
      m_bigScreen(new BigScreenView(games, *ui.lstGames, *ui.cmdPlay, *ui.txtlog, texts, &form)),
      m_pads(new PadDriver({&form, ui.lstGames, ui.abas, ui.cmdPlay, m_bigScreen,
                            [&runView] {
                                // As the run window's Stop does.
                                if (RunWindow *shown = runView.runWindow())
                                    shown->cmdStop->click();
                            }},
                           run, texts, this))
{
    geometry.keepBigScreen([this] { return m_bigScreen->isVisible(); });
    connect(ui.cmdBigScreen, &QToolButton::clicked, this, &CouchMode::toggle);
    connect(new QShortcut(QKeySequence(Qt::Key_F11), &form), &QShortcut::activated, this,
            &CouchMode::toggle);
    connect(m_pads, &PadDriver::told, this, &CouchMode::told);
    connect(ui.cboPadStop, &QComboBox::currentIndexChanged, m_pads, &PadDriver::setStopCombination);
    connect(m_bigScreen, &BigScreenView::shownChanged, &runView,
            [this, &runView, &form](bool shown) {
                runView.showOver(shown ? static_cast<QWidget *>(m_bigScreen) : &form);
            });
}

void CouchMode::start()
{
    m_pads->setStopCombination(m_ui.cboPadStop->currentIndex());
    m_pads->start();
    m_restore = m_geometry.bigScreenWas();
}

void CouchMode::enterIf(bool asked)
{
    if (std::exchange(m_restore, false) || asked)
        m_bigScreen->enter();
}

void CouchMode::toggle()
{
    if (m_bigScreen->isVisible())
        m_bigScreen->leave();
    else
        m_bigScreen->enter();
}

void CouchMode::showTexts()
{
    m_bigScreen->showTexts();
}

} // namespace rivonel
