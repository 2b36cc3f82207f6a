// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionTable.h"

#include "core/languages/LanguageTextTable.h"

#include <algorithm>

namespace rivonel {

namespace {

using K = SettingKind;
using O = OptionSet;

// What a box holds when nothing saved serves: the choices a new user's
// first game needs (its speed kept, its keys and sound on), the rest off.
constexpr int off = check::unchecked;
constexpr int on = check::checked;

constexpr std::array<OptionEntry, optionCount> table{{
    {&O::romDirectory, u"General", u"RomPath", K::Text, u"", textKey::romDirectoryCaption},
    {&O::zincDirectory, u"General", u"ZincPath", K::Text, u"", textKey::zincDirectoryCaption},
    {&O::game, u"General", u"LastGame", K::LastGame, ListStart{-1}},
    {&O::language, u"General", u"Language", K::Language, ListStart{-1}, textKey::languageCaption},
    // Without this the low geometry choice could never be kept.
    {&O::useLowGeometry, u"General", u"UseLowGeometry", K::CheckedWhenOne, off,
     textKey::lowGeometryCaption},
    // Back + Start: on most pads the two buttons beside each other that no
    // game uses together.
    {&O::padStop, u"General", u"PadStop", K::ListPosition, ListStart{1}, textKey::padStopCaption},
    {&O::sound, u"Audio", u"SoundEnable", K::SoundEnable, on, textKey::soundEnableCaption},
    {&O::soundFilter, u"Audio", u"SoundFilter", K::CheckState, off, textKey::soundFilterCaption},
    {&O::soundFilterCutoff, u"Audio", u"SoundCutoff", K::Text, u"22050",
     textKey::soundFilterCutoffCaption},
    {&O::stereoExciter, u"Audio", u"StereoExciter", K::CheckState, off,
     textKey::stereoExciterCaption},
    {&O::surroundLite, u"Audio", u"SurroundLite", K::CheckState, off, textKey::surroundLiteCaption},
    {&O::surroundLiteMultiplier, u"Audio", u"SurroundLiteMultiplierEnabled", K::CheckState, off,
     textKey::surroundMultiplierCaption},
    {&O::surroundMultiplier, u"Audio", u"SurroundLiteMultiplier", K::Text, u"40",
     textKey::surroundMultiplierCaption},
    // OpenGL: the plug-in a Zinc folder has on every system (the window prefers
    // one the folder holds).
    {&O::renderer, u"Video", u"Renderer", K::ListPosition, ListStart{1}, textKey::rendererCaption},
    {&O::showFps, u"Video", u"ShowFPS", K::CheckState, off, textKey::showFpsCaption},
    {&O::frameSkip, u"Video", u"FrameSkip", K::CheckState, off, textKey::frameSkipCaption},
    {&O::frameSkipAuto, u"Video", u"FrameSkipAuto", K::CheckState, off,
     textKey::frameSkipAutoCaption},
    {&O::frameLimit, u"Video", u"FrameLimit", K::CheckState, on, textKey::frameLimitCaption},
    {&O::dithering, u"Video", u"Dithering", K::CheckState, off, textKey::ditheringCaption},
    {&O::enableKeys, u"Video", u"EnableKeys", K::CheckState, on, textKey::enableKeysCaption},
    {&O::fullScreen, u"Video", u"FullScreen", K::CheckState, off, textKey::fullScreenCaption},
    {&O::resolution, u"Video", u"Resolution", K::ListText, ListStart{2}, // 640x480
     textKey::resolutionCaption},
    {&O::colorDepth, u"Video", u"ColorDepth", K::ListText, ListStart{0},
     textKey::colorDepthCaption},
    {&O::scanLines, u"Video", u"Scanlines", K::ListText, ListStart{0}, textKey::scanLinesCaption,
     u"ScanLines"},
    {&O::textureFiltering, u"Video", u"TextureFiltering", K::ListText, ListStart{0},
     textKey::textureFilteringCaption},
    {&O::textureQuality, u"Video", u"TextureQuality", K::ListText, ListStart{0},
     textKey::textureQualityCaption},
    {&O::textureCaching, u"Video", u"TextureCaching", K::ListText, ListStart{0},
     textKey::textureCachingCaption},
    {&O::frameRate, u"Video", u"FrameRate", K::Text, u"100", textKey::frameRateCaption},
    {&O::turnDisplay, u"Video", u"TurnDisplay", K::ListText, ListStart{0},
     textKey::turnDisplayCaption},
    {&O::blending, u"Video", u"Blending", K::ListText, ListStart{0}, textKey::blendingCaption},
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
// Nor may a default be of another type than its field.
static_assert(std::all_of(table.begin(), table.end(), [](const OptionEntry &entry) {
    return entry.defaultValue.index() == entry.field.index();
}));

void setDefault(OptionSet &values, const OptionEntry &entry, const ListItems &items, bool loaded)
{
    if (const auto box = std::get_if<int OptionSet::*>(&entry.field)) {
        // Before the load every box is grayed, so the load changes each one
        // and runs its rule.
        values.**box = loaded ? std::get<int>(entry.defaultValue) : check::grayed;
    } else if (const auto text = std::get_if<QString OptionSet::*>(&entry.field)) {
        values.**text = std::get<QStringView>(entry.defaultValue).toString();
    } else {
        const auto list = std::get<ListChoice OptionSet::*>(entry.field);
        const int position = std::get<ListStart>(entry.defaultValue).position;
        values.*list = {position, items(list).value(position)};
    }
}

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

OptionState defaultOptions(const ListItems &items)
{
    OptionState state;
    for (const OptionEntry &entry : table)
        setDefault(state.values, entry, items, false);
    return state;
}

OptionSet unsetOptions(const ListItems &items)
{
    OptionSet values;
    for (const OptionEntry &entry : table)
        setDefault(values, entry, items, true);
    return values;
}

std::bitset<optionCount> entriesOfKind(std::initializer_list<SettingKind> kinds)
{
    std::bitset<optionCount> entries;
    for (std::size_t i = 0; i < table.size(); ++i)
        entries.set(i, std::find(kinds.begin(), kinds.end(), table[i].kind) != kinds.end());
    return entries;
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
