// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionTable.h"
#include "core/settings/IniDocument.h"

#include <QByteArray>
#include <QString>

#include <bitset>
#include <map>

namespace rivonel {

// The options a game may hold a value of its own for: all that reach the
// emulator, and the renderer. The folders and the language stay everyone's.
bool gameMayOwn(const OptionEntry &entry);
std::bitset<optionCount> ownableEntries();

// A game's own values, by table entry, each as rivonel.ini writes it.
using OwnValues = std::map<int, QString>;

// game-options.ini: a [Game<number>] section for each game with values of its
// own, holding only those, under rivonel.ini's keys and value forms. Edits keep
// every other line, unknown keys and comments included.
class GameOptions {
public:
    struct Reading;
    // A missing file reads as no game options, and so does one that is no
    // ordinary file, too large or unreadable: its status says so.
    static Reading read(const QString &path);
    static GameOptions fromBytes(const QByteArray &bytes,
                                 const QString &newLineEnd = QStringLiteral("\n"));
    QByteArray toBytes() const { return m_file.toBytes(); }

    // The values that serve the entry they are for (a number in range, an
    // item the list has); the rest are left to the options of all games.
    OwnValues of(int position, const ListItems &items) const;
    // The game's values as the file holds them, whether they serve or not.
    OwnValues stored(int position) const;
    bool hasOwn(int position, const ListItems &items) const { return !of(position, items).empty(); }
    // Gives the game its own value for the entry; false when the value cannot
    // stand on a line, which leaves the file as it was.
    bool setOwn(int position, int index, const QString &text);
    // The entry follows the options of all games again; the game's section goes
    // once it holds nothing. drop for one entry, dropAll for every entry.
    void drop(int position, int index);
    void dropAll(int position);

private:
    IniDocument m_file;
};

struct GameOptions::Reading {
    IniDocument::ReadStatus status;
    GameOptions options;
};

// The options a game plays with: the options of all games, its own values laid
// over them in the table's order, each check box rule running as a value
// changes, as a load runs them. Sound stays off where none can be played.
OptionState withOwnValues(OptionState global, const OwnValues &own, const ListItems &items,
                          bool soundPlayable);

// Each own value in the table's order, as "renderer Software, resolution
// 640x480", in the language given.
QString ownValuesText(const OwnValues &own, const LanguageTextTable &texts);

} // namespace rivonel
