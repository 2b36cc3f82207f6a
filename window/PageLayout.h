// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/ControlTable.h"

#include <QMap>
#include <QWidget>

#include <utility>

class QTabWidget;

namespace rivonel {

// The tabs' controls by area and cell, and each cell's width in columns.
struct PageCells {
    QMap<std::pair<int, int>, QWidgetList> widgets[areaCount];
    QMap<std::pair<int, int>, int> spans[areaCount];
};

// Lays out the three tabs from their cells: on Video the check boxes beside
// the captioned lists, on Audio two columns, on General one grid.
void layOutPages(QTabWidget &tabs, const PageCells &cells);

} // namespace rivonel
