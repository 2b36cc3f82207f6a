// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace rivonel {

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on the SVG's 256 x 256 grid.
    painter.scale(size / 256.0, size / 256.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x3b, 0x63));
    painter.drawRoundedRect(QRectF(16, 16, 224, 224), 40, 40);
    painter.setBrush(QColor(0xf2, 0xa9, 0x00));
    painter.drawEllipse(QPointF(128, 128), 80, 80);
    QPainterPath play;
    play.moveTo(106, 88);
    play.lineTo(106, 168);
    play.lineTo(172, 128);
    play.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(play);
    return image;
}

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(drawAppIcon(size)));
    return icon;
}

} // namespace rivonel
