// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ArchiveMarks.h"

#include <QApplication>
#include <QBrush>
#include <QListWidget>
#include <QStyle>

#include <optional>

namespace rivonel {

namespace {

struct Mark {
    std::optional<QStyle::StandardPixmap> icon;
    QColor onLight; // the colour on a light background, and on a dark one
    QColor onDark;
};

// Both colours keep a contrast of at least 4.5:1 with the list's background.
Mark markOf(ArchiveState state)
{
    switch (state) {
    case ArchiveState::Unknown:
    case ArchiveState::Missing:
        return {std::nullopt, {}, {}};
    case ArchiveState::NotAZip:
        return {QStyle::SP_DialogCancelButton, QColor(0xa0, 0x00, 0x00), QColor(0xff, 0x8a, 0x80)};
    case ArchiveState::Damaged:
        return {QStyle::SP_MessageBoxCritical, QColor(0xa0, 0x00, 0x00), QColor(0xff, 0x8a, 0x80)};
    case ArchiveState::Incomplete:
        return {QStyle::SP_MessageBoxWarning, QColor(0x8a, 0x4b, 0x00), QColor(0xff, 0xc1, 0x07)};
    case ArchiveState::Ready:
        break;
    }
    return {QStyle::SP_DialogApplyButton, {}, {}};
}

} // namespace

void showArchiveMark(QListWidgetItem *item, ArchiveState state, const QString &text)
{
    const Mark mark = markOf(state);
    const QListWidget *list = item->listWidget();
    const QPalette palette = list ? list->palette() : QApplication::palette();
    const bool dark = palette.color(QPalette::Base).lightness() < 128;
    const QColor colour = dark ? mark.onDark : mark.onLight;
    item->setIcon(mark.icon ? QApplication::style()->standardIcon(*mark.icon) : QIcon());
    item->setForeground(state == ArchiveState::Missing
                            ? palette.brush(QPalette::Disabled, QPalette::Text)
                            : (colour.isValid() ? QBrush(colour) : QBrush()));
    item->setToolTip(text);
    item->setData(Qt::AccessibleDescriptionRole, text);
}

} // namespace rivonel
