#include "core/options/OptionTable.h"

#include "core/languages/LanguageTextTable.h"

#include <algorithm>

namespace rivonel {

namespace {

using K = SettingKind;
using O = OptionSet;

constexpr std::array<OptionEntry, optionCount> table{{
    {&O::romDirectory, u"General", u"RomPath", K::Text, 7},
    {&O::zincDirectory, u"General", u"ZincPath", K::Text, 6},
    {&O::game, u"General", u"LastGame", K::LastGame},
    {&O::language, u"General", u"Language", K::Language, 37},
    // Without this the low geometry choice could never be kept.
    {&O::useLowGeometry, u"General", u"UseLowGeometry", K::CheckedWhenOne, 36},
    {&O::sound, u"Audio", u"SoundEnable", K::SoundEnable, 5},
    {&O::soundFilter, u"Audio", u"SoundFilter", K::CheckState, 32},
    {&O::soundFilterCutoff, u"Audio", u"SoundCutoff", K::Text, 40},
    {&O::stereoExciter, u"Audio", u"StereoExciter", K::CheckState, 33},
    {&O::surroundLite, u"Audio", u"SurroundLite", K::CheckState, 34},
    {&O::surroundLiteMultiplier, u"Audio", u"SurroundLiteMultiplierEnabled", K::CheckState, 35},
    {&O::surroundMultiplier, u"Audio", u"SurroundLiteMultiplier", K::Text},
    {&O::renderer, u"Video", u"Renderer", K::ListPosition, 4},
    {&O::showFps, u"Video", u"ShowFPS", K::CheckState, 17},
    {&O::frameSkip, u"Video", u"FrameSkip", K::CheckState, 18},
    {&O::frameSkipAuto, u"Video", u"FrameSkipAuto", K::CheckState, 19},
    {&O::frameLimit, u"Video", u"FrameLimit", K::CheckState, 20},
    {&O::dithering, u"Video", u"Dithering", K::CheckState, 21},
    {&O::enableKeys, u"Video", u"EnableKeys", K::CheckState, textKey::enableKeysCaption},
    {&O::fullScreen, u"Video", u"FullScreen", K::CheckState, 38},
    {&O::resolution, u"Video", u"Resolution", K::ListText, 22},
    {&O::colorDepth, u"Video", u"ColorDepth", K::ListText, 23},
    {&O::scanLines, u"Video", u"Scanlines", K::ListText, 24, u"ScanLines"},
    {&O::textureFiltering, u"Video", u"TextureFiltering", K::ListText, 25},
    {&O::textureQuality, u"Video", u"TextureQuality", K::ListText, 26},
    {&O::textureCaching, u"Video", u"TextureCaching", K::ListText, 27},
    {&O::frameRate, u"Video", u"FrameRate", K::Text, 28},
    {&O::turnDisplay, u"Video", u"TurnDisplay", K::ListText, 29},
    {&O::blending, u"Video", u"Blending", K::ListText, 30},
}};

constexpr bool fieldFitsKind(const OptionEntry &entry)
{
    switch (entry.kind) {
    case SettingKind::Text:
        return std::holds_alternative<QString OptionSet::*>(entry.field);
    case SettingKind::CheckState:
    case SettingKind::CheckedWhenOne:
    case SettingKind::SoundEnable:
        return std::holds_alternative<int OptionSet::*>(entry.field);
    case SettingKind::ListPosition:
    case SettingKind::ListText:
    case SettingKind::LastGame:
    case SettingKind::Language:
        return std::holds_alternative<ListChoice OptionSet::*>(entry.field);
    }
    return false;
}

// A kind reads and writes one type of field; the table must not mix them up.
static_assert(std::all_of(table.begin(), table.end(), fieldFitsKind));

} // namespace

const std::array<OptionEntry, optionCount> &optionTable()
{
    return table;
}

int optionIndex(const OptionField &field)
{
    for (int i = 0; i < optionCount; ++i)
        if (table[static_cast<std::size_t>(i)].field == field)
            return i;
    return -1;
}

const OptionEntry &optionEntry(const OptionField &field)
{
    const int index = optionIndex(field);
    Q_ASSERT(index >= 0);
    return table[static_cast<std::size_t>(index)];
}

bool OptionState::enabled(const OptionField &field) const
{
    const int index = optionIndex(field);
    return index < 0 || !disabled.test(static_cast<std::size_t>(index));
}

void OptionState::setEnabled(const OptionField &field, bool enabled)
{
    const int index = optionIndex(field);
    if (index >= 0)
        disabled.set(static_cast<std::size_t>(index), !enabled);
}

} // namespace rivonel
