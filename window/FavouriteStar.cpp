// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FavouriteStar.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace rivonel {

// Three short rules, each with a knob at another place: settings of its own.
void FavouriteStar::paintSliders(QPainter *painter, const QStyleOptionViewItem &option)
{
    const qreal side = option.rect.height() * 0.7;
    const QRectF box(option.rect.right() - option.rect.height() * 1.5 - side,
                     option.rect.center().y() - side / 2 + 0.5, side, side);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor ink = option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    painter->setPen(QPen(ink, 1));
    painter->setBrush(ink);
    const qreal knobs[] = {0.3, 0.7, 0.45};
    for (int rule = 0; rule < 3; ++rule) {
        const qreal y = box.top() + side * (rule + 0.5) / 3;
        painter->drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        painter->drawEllipse(QPointF(box.left() + side * knobs[rule], y), side / 9, side / 9);
    }
    painter->restore();
}

void FavouriteStar::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.data(ownValuesRole).toBool())
        paintSliders(painter, option);
    if (!index.data(favouriteRole).toBool())
        return;
    const qreal size = option.rect.height() * 0.8;
    const QPointF centre(option.rect.right() - option.rect.height() / 2.0,
                         option.rect.center().y() + 0.5);
    QPainterPath star;
    for (int point = 0; point < 10; ++point) {
        const qreal radius = point % 2 == 0 ? size / 2 : size / 5;
        const qreal angle = -std::numbers::pi / 2 + point * std::numbers::pi / 5;
        const QPointF at = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        point == 0 ? star.moveTo(at) : star.lineTo(at);
    }
    star.closeSubpath();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // Gold with a dark edge stands out on a light row and a selected one.
    painter->setPen(QPen(QColor(0x70, 0x50, 0x00), 1));
    painter->setBrush(QColor(0xff, 0xc1, 0x07));
    painter->drawPath(star);
    painter->restore();
}

} // namespace rivonel
