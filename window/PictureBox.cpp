// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PictureBox.h"

#include <QPainter>
#include <QPen>

namespace rivonel {

PictureBox::PictureBox(QSize least, QWidget *parent) : QLabel(parent), m_least(least)
{
    setMinimumSize(least);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAlignment(Qt::AlignCenter);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace rivonel
