// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

namespace rivonel {

// The program's icon, drawn at any size: an arcade button with a play mark.
// resources/icons/example.rivonel.Rivonel.svg is the same drawing.
QImage drawAppIcon(int size);
QIcon appIcon();

} // namespace rivonel
