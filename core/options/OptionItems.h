// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace rivonel {

// Items of the option lists that do not depend on the language. Positions
// count from 0 and carry meaning for the emulator files, so never reorder.
inline constexpr QStringView rendererItems[] = {u"Direct3D", u"OpenGL", u"Software", u"Glide"};
inline constexpr QStringView resolutionItems[] = {u"320x240", u"512x384",  u"640x480",
                                                  u"800x600", u"1024x768", u"1280x1024"};
inline constexpr QStringView colorDepthItems[] = {u"16", u"32"};
inline constexpr QStringView textureFilteringItems[] = {u"0", u"1", u"2", u"3"};
inline constexpr QStringView zeroToTwoItems[] = {u"0", u"1", u"2"};

} // namespace rivonel
