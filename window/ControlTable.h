// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

class QLabel;
class QWidget;

namespace rivonel {

class OptionBinder;
class frmPrincipalUi;

// Where a control of a tab goes: a cell of one of the tabs' grids. Controls
// that share a cell stand side by side, or, in the video lists, a caption
// above its field.
enum class Area { VideoChecks, VideoLists, AudioLeft, AudioRight, General };
inline constexpr int areaCount = 5;
struct Place {
    Area area;
    int row;
    int column;
    int span = 1;
};

// One control of a tab (RIVONEL_PAGE_CONTROLS): its place, object name and
// design-time caption, how it is bound to its option with the caption
// before it (none for a control without one), the texts it takes from the
// language besides its option's caption, and, for a box for a number, how
// many digits it is wide.
struct ControlRow {
    QWidget *(*make)(frmPrincipalUi &ui, QWidget *page);
    QWidget *(*widget)(const frmPrincipalUi &ui);
    void (*bind)(OptionBinder &binder, const frmPrincipalUi &ui, QLabel *caption);
    Place place;
    const char *name;
    const char *caption = nullptr;
    int captionKey = 0;
    int nameKey = 0;
    int digits = 0;
};

// The tabs' controls, in Tab order.
std::span<const ControlRow> pageControls();

} // namespace rivonel
