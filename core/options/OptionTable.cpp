#include "core/options/OptionTable.h"

#include "core/languages/LanguageTextTable.h"

#include <algorithm>

namespace rivonel {

namespace {

using K = SettingKind;
using O = OptionSet;

constexpr std::array<OptionEntry, optionCount> table{{
    {&O::romDirectory, u"General", u"RomPath", K::Text, textKey::romDirectoryCaption},
    {&O::zincDirectory, u"General", u"ZincPath", K::Text, textKey::zincDirectoryCaption},
    {&O::game, u"General", u"LastGame", K::LastGame},
    {&O::language, u"General", u"Language", K::Language, textKey::languageCaption},
    // Without this the low geometry choice could never be kept.
    {&O::useLowGeometry, u"General", u"UseLowGeometry", K::CheckedWhenOne,
     textKey::lowGeometryCaption},
    {&O::sound, u"Audio", u"SoundEnable", K::SoundEnable, textKey::soundEnableCaption},
    {&O::soundFilter, u"Audio", u"SoundFilter", K::CheckState, textKey::soundFilterCaption},
    {&O::soundFilterCutoff, u"Audio", u"SoundCutoff", K::Text, textKey::soundFilterCutoffCaption},
    {&O::stereoExciter, u"Audio", u"StereoExciter", K::CheckState, textKey::stereoExciterCaption},
    {&O::surroundLite, u"Audio", u"SurroundLite", K::CheckState, textKey::surroundLiteCaption},
    {&O::surroundLiteMultiplier, u"Audio", u"SurroundLiteMultiplierEnabled", K::CheckState,
     textKey::surroundMultiplierCaption},
    {&O::surroundMultiplier, u"Audio", u"SurroundLiteMultiplier", K::Text},
    {&O::renderer, u"Video", u"Renderer", K::ListPosition, textKey::rendererCaption},
    {&O::showFps, u"Video", u"ShowFPS", K::CheckState, textKey::showFpsCaption},
    {&O::frameSkip, u"Video", u"FrameSkip", K::CheckState, textKey::frameSkipCaption},
    {&O::frameSkipAuto, u"Video", u"FrameSkipAuto", K::CheckState, textKey::frameSkipAutoCaption},
    {&O::frameLimit, u"Video", u"FrameLimit", K::CheckState, textKey::frameLimitCaption},
    {&O::dithering, u"Video", u"Dithering", K::CheckState, textKey::ditheringCaption},
    {&O::enableKeys, u"Video", u"EnableKeys", K::CheckState, textKey::enableKeysCaption},
    {&O::fullScreen, u"Video", u"FullScreen", K::CheckState, textKey::fullScreenCaption},
    {&O::resolution, u"Video", u"Resolution", K::ListText, textKey::resolutionCaption},
    {&O::colorDepth, u"Video", u"ColorDepth", K::ListText, textKey::colorDepthCaption},
    {&O::scanLines, u"Video", u"Scanlines", K::ListText, textKey::scanLinesCaption, u"ScanLines"},
    {&O::textureFiltering, u"Video", u"TextureFiltering", K::ListText,
     textKey::textureFilteringCaption},
    {&O::textureQuality, u"Video", u"TextureQuality", K::ListText, textKey::textureQualityCaption},
    {&O::textureCaching, u"Video", u"TextureCaching", K::ListText, textKey::textureCachingCaption},
    {&O::frameRate, u"Video", u"FrameRate", K::Text, textKey::frameRateCaption},
    {&O::turnDisplay, u"Video", u"TurnDisplay", K::ListText, textKey::turnDisplayCaption},
    {&O::blending, u"Video", u"Blending", K::ListText, textKey::blendingCaption},
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
