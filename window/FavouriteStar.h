#pragma once

#include <QStyledItemDelegate>

namespace rivonel {

// The item data that marks a favourite game of the list.
inline constexpr int favouriteRole = Qt::UserRole + 30;

// Paints a star at the right end of a favourite's row, beside whatever icon
// and text the row already has.
class FavouriteStar : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace rivonel
