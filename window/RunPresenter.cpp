// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/RunPresenter.h"

#include "core/run/GameRun.h"
#include "platform/Desktop.h"
#include "window/RunWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QSessionManager>
#include <QTimer>

namespace rivonel {

RunPresenter::RunPresenter(QWidget &form, QPushButton &play, QTimer &clock, GameRun &run,
                           Desktop &desktop, const LanguageTextTable &texts)
    : QObject(&form), m_form(form), m_play(play), m_clock(clock), m_run(run), m_desktop(desktop),
      m_texts(texts)
{
    connectSignals();
}

RunPresenter::~RunPresenter()
{
    // A window destroyed during a run must not leave the hourglass behind.
    if (m_hourglass)
        QApplication::restoreOverrideCursor();
}

// All the wiring: the session's end once, and each run window as it opens.
void RunPresenter::connectSignals(RunWindow *opened)
{
    if (opened) {
        connect(opened, &RunWindow::stopRequested, this, &RunPresenter::stop);
        return;
    }
#ifndef QT_NO_SESSIONMANAGER
    if (qApp)
        connect(qApp, &QGuiApplication::commitDataRequest, this, &RunPresenter::sessionEnding);
#endif
}

void RunPresenter::lock(const QString &game)
{
    if (!m_hourglass) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_hourglass = true;
    }
    m_play.setEnabled(false);
    m_form.setEnabled(false);
    m_clock.start();
    // The way out while the main window is locked.
    m_runWindow = std::make_unique<RunWindow>(game, m_texts, m_over ? m_over : &m_form);
    connectSignals(m_runWindow.get());
    m_runWindow->setWindowFlag(Qt::Dialog);
    // Over the big-screen view, in type that reads as far as the view's.
    // (A style sheet, as the view's own would override a font set here.)
    if (m_over && m_over != &m_form)
        m_runWindow->setStyleSheet(
            QStringLiteral("* { font-size: %1px; }").arg(std::max(12, m_over->height() / 28)));
    m_runWindow->setEnabled(true);
    m_runWindow->show();
}

std::optional<Wording> RunPresenter::resume(const QListWidget &games)
{
    if (!m_run.resume())
        return std::nullopt;
    const QListWidgetItem *item = games.item(m_run.position());
    const QString title = item ? item->text() : QString();
    lock(title);
    return [title](const LanguageTextTable &texts) {
        return texts.text(textKey::runTakenOn).arg(title);
    };
}

void RunPresenter::giveBack()
{
    m_clock.stop();
    m_runWindow.reset();
    if (m_hourglass) {
        QApplication::restoreOverrideCursor();
        m_hourglass = false;
    }
    m_play.setEnabled(m_playable);
    m_form.setEnabled(true);
    if (m_closeAfterRun)
        QTimer::singleShot(0, &m_form, &QWidget::close);
}

void RunPresenter::setPlayable(bool playable)
{
    m_playable = playable;
    if (!m_runWindow)
        m_play.setEnabled(playable);
}

bool RunPresenter::mayClose()
{
    if (!m_run.watching())
        return true;
    if (m_closeAfterRun ||
        !m_desktop.ask(&m_form, m_texts.text(textKey::closeWhileRunning), m_form.windowTitle()))
        return false;
    m_closeAfterRun = true;
    // The run may have ended while the question was open.
    if (!m_run.watching())
        QTimer::singleShot(0, &m_form, &QWidget::close);
    else if (m_runWindow)
        m_runWindow->cmdStop->click();
    else
        stop();
    return false;
}

void RunPresenter::stop()
{
    m_run.stop();
}

void RunPresenter::endNow()
{
    m_run.stopNow();
}

#ifndef QT_NO_SESSIONMANAGER
// The desktop session is ending: the user may still keep it going for the
// game; otherwise the game is stopped before anything closes.
void RunPresenter::sessionEnding(QSessionManager &manager)
{
    if (!m_run.watching())
        return;
    if (manager.allowsInteraction()) {
        const bool stop =
            m_desktop.ask(&m_form, m_texts.text(textKey::closeWhileRunning), m_form.windowTitle());
        manager.release();
        if (!stop) {
            manager.cancel();
            return;
        }
    }
    endNow();
}
#endif

} // namespace rivonel
