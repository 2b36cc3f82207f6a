// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/RunWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace rivonel {

RunWindow::RunWindow(const QString &game, const LanguageTextTable &texts, QWidget *parent)
    : QDialog(parent), m_texts(texts)
{
    setObjectName(QStringLiteral("RunWindow"));
    setWindowTitle(parent ? parent->windowTitle() : QString());
    lblGame = new QLabel(m_texts.text(textKey::playing).arg(game), this);
    lblTime = new QLabel(this);
    cmdStop = new QPushButton(m_texts.text(textKey::stopCaption), this);
    cmdStop->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblGame);
    layout->addWidget(lblTime);
    layout->addWidget(cmdStop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Nothing to minimise or maximise; wide enough for the whole title beside
    // the title bar's icon and close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont titleFont = font();
    titleFont.setBold(true);
    layout->addStrut(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) +
                     4 * style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));

    connect(cmdStop, &QPushButton::clicked, this, &RunWindow::cmdStop_Click);
    connect(&m_tick, &QTimer::timeout, this, &RunWindow::showTime);
    m_clock.start();
    // Often enough that each second shows when it comes, not up to a second late.
    m_tick.start(200);
    showTime();
}

void RunWindow::reject()
{
    if (cmdStop->isEnabled())
        cmdStop->click();
}

void RunWindow::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter || event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RunWindow::cmdStop_Click()
{
    cmdStop->setEnabled(false);
    cmdStop->setText(m_texts.text(textKey::stopping));
    Q_EMIT stopRequested();
}

void RunWindow::showTime()
{
    const qint64 seconds = m_clock.elapsed() / 1000;
    const QString time =
        seconds >= 3600
            ? QStringLiteral("%1:%2:%3")
                  .arg(seconds / 3600)
                  .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                  .arg(seconds % 60, 2, 10, QLatin1Char('0'))
            : QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    lblTime->setText(m_texts.text(textKey::timePlayed).arg(time));
}

} // namespace rivonel
