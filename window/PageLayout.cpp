// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageLayout.h"

#include "window/frmPrincipalUi.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QTabWidget>

namespace rivonel {

namespace {

const QMargins pageMargins(6, 6, 6, 6);

// The controls of one area's cell, side by side or a caption above its field.
QLayout *cellOf(Area area, const QWidgetList &widgets)
{
    const bool captioned = area == Area::VideoLists;
    auto *cell = new QBoxLayout(captioned ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    if (captioned)
        cell->setSpacing(1);
    for (QWidget *widget : widgets)
        cell->addWidget(widget);
    if (!captioned)
        cell->addStretch();
    return cell;
}

QGridLayout *gridOf(Area area, const PageCells &cells)
{
    auto *grid = new QGridLayout;
    const auto &widgets = cells.widgets[int(area)];
    for (auto it = widgets.cbegin(); it != widgets.cend(); ++it) {
        const auto [row, column] = it.key();
        const int span = cells.spans[int(area)].value(it.key());
        if (it->size() == 1)
            grid->addWidget(it->first(), row, column, 1, span);
        else
            grid->addLayout(cellOf(area, *it), row, column, 1, span);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return grid;
}

} // namespace

void layOutPages(QTabWidget &tabs, const PageCells &cells)
{
    using Tab = frmPrincipalUi::Tab;
    auto *video = new QHBoxLayout(tabs.widget(Tab::videoTab));
    video->setContentsMargins(pageMargins);
    video->addLayout(gridOf(Area::VideoChecks, cells));
    QGridLayout *lists = gridOf(Area::VideoLists, cells);
    lists->setHorizontalSpacing(4);
    video->addLayout(lists, 1);
    auto *audio = new QHBoxLayout(tabs.widget(Tab::audioTab));
    audio->setContentsMargins(pageMargins);
    audio->addLayout(gridOf(Area::AudioLeft, cells));
    audio->addSpacing(tabs.fontMetrics().averageCharWidth() * 2);
    audio->addLayout(gridOf(Area::AudioRight, cells));
    audio->addStretch();
    auto *general = new QVBoxLayout(tabs.widget(Tab::generalTab));
    general->setContentsMargins(pageMargins);
    general->addLayout(gridOf(Area::General, cells));
}

} // namespace rivonel
