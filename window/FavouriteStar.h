// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace rivonel {

// The item data that marks a favourite game of the list, and one with options of its own.
inline constexpr int favouriteRole = Qt::UserRole + 30;
inline constexpr int ownValuesRole = Qt::UserRole + 31;

// Paints a star at the right end of a favourite's row, beside whatever icon
// and text the row already has, and before it three sliders where the game
// has options of its own (which its tooltip and description name).
class FavouriteStar : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    static void paintSliders(QPainter *painter, const QStyleOptionViewItem &option);
};

} // namespace rivonel
