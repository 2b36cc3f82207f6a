// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionSet.h"

#include <QStringList>
#include <QStringView>

#include <array>
#include <bitset>
#include <functional>
#include <initializer_list>
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

// A list's selected position before anything is loaded, -1 for none.
struct ListStart {
    int position = -1;
};
// The value an option's control starts with: a check box's value, a text, a
// list's position. It holds the alternative that matches its OptionField.
using OptionDefault = std::variant<int, QStringView, ListStart>;

// One saved option: where it lives in OptionSet and in rivonel.ini, the value
// it takes when nothing saved serves, and the language text that captions it
// (0 for none).
struct OptionEntry {
    OptionField field;
    QStringView section;
    QStringView key;
    SettingKind kind;
    OptionDefault defaultValue;
    int caption = 0;
    QStringView readKey = {}; // the spelling the load reads, where it differs

    QStringView loadKey() const { return readKey.isEmpty() ? key : readKey; }
};

inline constexpr int optionCount = 30;

// Every saved option, in the order the save writes them and the load reads
// them (sound before its effects, so the check box rules follow along).
const std::array<OptionEntry, optionCount> &optionTable();

// The items a list holds now (two of them follow the language).
using ListItems = std::function<QStringList(ListChoice OptionSet::*)>;

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

// The options as the window starts, before the saved ones are read: each
// entry at its default but the check boxes, which are grayed; every control
// enabled. A list's text is its item at the default position, empty while
// the list has no such item.
OptionState defaultOptions(const ListItems &items);
// What each option is when nothing saved serves it.
OptionSet unsetOptions(const ListItems &items);

// The table's entries of the given kinds.
std::bitset<optionCount> entriesOfKind(std::initializer_list<SettingKind> kinds);

} // namespace rivonel
