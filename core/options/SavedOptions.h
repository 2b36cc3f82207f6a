// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionTable.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace rivonel {

class IniDocument;

// The rules between the options and their texts in rivonel.ini.

// The text saved for an entry, nothing when there is none.
using SavedText = std::function<std::optional<QString>(const OptionEntry &)>;

struct LoadedOptions {
    OptionState state;
    bool soundLocked = false; // no sound device: sound is off and cannot be turned on
};

// Applies the saved texts in the table's order, running the check box rules
// as values change. Where nothing is saved, and where a saved text cannot
// serve a box or the renderer (not a number, out of range), the option takes
// its value in unset; a list text that names no item leaves the list as it
// is. The last game and the language are left to start-up.
LoadedOptions loadOptions(OptionState state, const SavedText &saved, const ListItems &items,
                          bool soundPlayable, const OptionSet &unset);

// Applies the texts given for some entries, in the table's order, as the load
// does; every other option is left as it is, and so is one whose text
// cannot serve it.
LoadedOptions applySavedTexts(OptionState state, const SavedText &saved, const ListItems &items,
                              bool soundPlayable);
// Whether a saved text gives its entry a value, as the load reads it.
bool savedTextServes(const OptionEntry &entry, const QString &text, const ListItems &items);

// The text saved for an entry in the options file, empty when there is none.
QString savedValue(const IniDocument &file, const OptionEntry &entry);
std::optional<QString> storedValue(const IniDocument &file, const OptionEntry &entry);

// The text the save writes for an entry.
QString savedText(const OptionSet &options, const OptionEntry &entry);

// Writes every option into the options file's text, in the table's order.
// The language is left as saved when none is listed. Returns the keys of the
// values that could not be written (a line break cannot stand in the file);
// those keep their saved text. A saved value the load read cut keeps its
// whole text while the option still holds the cut one.
QStringList saveOptions(IniDocument &file, const OptionSet &options);

// The list position a saved LastGame selects (-1 for "0": no game), or
// nothing when the text names no game.
std::optional<int> savedGamePosition(const QString &lastGame);

} // namespace rivonel
