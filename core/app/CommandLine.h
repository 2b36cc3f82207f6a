// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/ArchiveChecks.h"
#include "core/games/RomArchives.h"
#include "core/history/PlayHistory.h"
#include "core/options/GameOptions.h"
#include "core/system/ProgramFiles.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace rivonel {

// What the command line asks for. It is read before any window system is
// needed, so a script or a console gets its answer on a machine without one.
struct CommandLine {
    enum class Action {
        OpenWindow,
        Help,
        Version,
        List, // the games on standard output, as text or JSON
        Play, // the window, then Play on the game at position
        Bad,  // error says what; the exit code is badArgumentExit
    };
    Action action = Action::OpenWindow;
    bool json = false;
    bool bigScreen = false; // the window opens in its big-screen view
    int position = -1;
    QString game; // what --play named, known or not
    QString error;
    // Which arguments are Qt's own (-platform, -style, …), for the window.
    QList<int> qtArguments;
};

inline constexpr int badArgumentExit = 2;

// arguments: the command line after the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

// What --help prints, and the lines a bad argument puts after its error.
QString helpText();
QString usageLine();

// The table's games with their archive (in the ROM folder looked at) and
// their history: columns of text for a person, or a JSON array for a script.
// With the archives' knowledge, each game's archive state too, and with the
// games' own options, the keys (and in JSON the values) each game holds.
QString gameListText(const RomFolderLook &roms, const PlayHistory &history,
                     const ArchiveKnowledge *archives = nullptr, const GameOptions *own = nullptr);
QByteArray gameListJson(const RomFolderLook &roms, const PlayHistory &history,
                        const ArchiveKnowledge *archives = nullptr,
                        const GameOptions *own = nullptr);

// The listing --list prints, from the files a Rivonel keeps: the saved ROM
// folder, the history and the archives' checks. Only read: a listing never
// creates or changes a file.
QByteArray gameListing(const ProgramFiles &files, const PlatformConventions &platform, bool json,
                       const ArchiveReader &read);

// What a command line handed to the open window asks of it: args may start
// with the program's name. Only a --play that names a game asks to play;
// --big-screen asks for the big-screen view.
struct HandedPlay {
    enum class Ask { Nothing, UnknownGame, Play };
    Ask ask = Ask::Nothing;
    int position = -1;
    QString game;
    bool bigScreen = false;
};
HandedPlay handedPlay(const QStringList &args);

} // namespace rivonel
