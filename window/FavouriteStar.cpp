#include "window/FavouriteStar.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace rivonel {

void FavouriteStar::paint(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
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
