#pragma once

#include "core/options/OptionSet.h"

#include <QStringView>

#include <array>
#include <bitset>
#include <variant>

namespace rivonel {

// How a saved option's text maps onto its value.
enum class SettingKind : int {
    Text,           // a text box's text
    CheckState,     // a check box's value 0, 1 or 2
    CheckedWhenOne, // a check box: 1 checks it, any other number clears it
    SoundEnable,    // as CheckedWhenOne, and only where sound can be played
    ListPosition,   // a list's selected position, -1 for none
    ListText,       // a list's selected item, by its text
    LastGame,       // the selected game's number, 0 for none (start-up reads it)
    Language,       // the selected language's name (start-up reads it)
};

using OptionField = std::variant<int OptionSet::*, QString OptionSet::*, ListChoice OptionSet::*>;

// One saved option: where it lives in OptionSet and in rivonel.ini, and the
// language text that captions its control (0 for none).
struct OptionEntry {
    OptionField field;
    QStringView section;
    QStringView key;
    SettingKind kind;
    int caption = 0;
    QStringView readKey = {}; // the spelling the load reads, where it differs

    QStringView loadKey() const { return readKey.isEmpty() ? key : readKey; }
};

inline constexpr int optionCount = 29;

// Every saved option, in the order the save writes them and the load reads
// them (sound before its effects, so the check box rules follow along).
const std::array<OptionEntry, optionCount> &optionTable();

// The field's place in the table, -1 when it has none.
int optionIndex(const OptionField &field);
// The entry of a field the table has.
const OptionEntry &optionEntry(const OptionField &field);

// The options with the controls the user may not change now.
struct OptionState {
    OptionSet values;
    std::bitset<optionCount> disabled;

    bool enabled(const OptionField &field) const;
    void setEnabled(const OptionField &field, bool enabled);
};

} // namespace rivonel
