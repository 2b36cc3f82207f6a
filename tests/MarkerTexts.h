// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"

namespace rivonel::test {

// A language of markers, "<n>" for text n with the places of its English
// text, so every message shows where each of its words comes from.
inline LanguageTextTable markerTexts()
{
    LanguageTextTable texts;
    for (int n = 1; n <= LanguageTextTable::count; ++n) {
        const QString english = LanguageTextTable().text(n);
        texts.set(n, u'<' + QString::number(n) +
                         (english.contains(u"%1") ? QStringLiteral(" %1") : QString()) +
                         (english.contains(u"%2") ? QStringLiteral(" %2") : QString()) +
                         (english.contains(u"%3") ? QStringLiteral(" %3") : QString()) + u'>');
    }
    return texts;
}

} // namespace rivonel::test
