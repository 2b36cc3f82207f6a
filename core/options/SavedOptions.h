#pragma once

#include "core/options/OptionTable.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace rivonel {

// The rules between the options and their texts in rivonel.ini.

// The text saved for an entry, empty when there is none.
using SavedText = std::function<QString(const OptionEntry &)>;
// The items a list holds now (two of them follow the language).
using ListItems = std::function<QStringList(ListChoice OptionSet::*)>;

struct LoadedOptions {
    OptionState state;
    bool soundLocked = false; // no sound device: sound is off and cannot be turned on
};

// Applies the saved texts in the table's order, running the check box rules
// as values change. A text that cannot serve an option (not a number, out of
// range, no such item) leaves it as it is. The last game and the language
// are left to start-up.
LoadedOptions loadOptions(OptionState state, const SavedText &saved, const ListItems &items,
                          bool soundPlayable);

// The text the save writes for an entry.
QString savedText(const OptionSet &options, const OptionEntry &entry);

// The list position a saved LastGame selects (-1 for "0": no game), or
// nothing when the text names no game.
std::optional<int> savedGamePosition(const QString &lastGame);

} // namespace rivonel
