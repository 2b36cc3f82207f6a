// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/games/GameTable.h"
#include "core/languages/LanguageTextTable.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace rivonel {

// What one game of the list has seen of the user.
struct GamePlays {
    int times = 0;
    qint64 seconds = 0;
    QDateTime last; // invalid when never played
    bool favourite = false;

    bool operator==(const GamePlays &) const = default;
};

// The play history and the favourites, one entry per game of the table (by
// position: two games may share a ROM set). Its file, history.ini, holds a
// section for each game with something to keep, so it never holds more than
// the table's games.
class PlayHistory {
public:
    // A file that is missing, damaged or no ordinary file reads as an empty
    // history; a value that makes no sense leaves its game's entry empty.
    static PlayHistory read(const QString &path);
    static PlayHistory fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;
    // Replaces the file whole; false when it could not be written.
    bool write(const QString &path) const;

    const GamePlays &at(int position) const;
    // A run of the game at position counts at its start, so a run that is
    // never seen to end still counts; its end adds the time it took.
    void startRun(int position, const QDateTime &start);
    void endRun(int position, const QDateTime &start, const QDateTime &end);
    void setFavourite(int position, bool favourite);

private:
    std::array<GamePlays, gameCount> m_games{};
};

// "Played 12 times, 3 h 12 min in all, last on 1 December 2026", or "Never
// played", in the language's words and the locale's date format.
QString playHistoryText(const GamePlays &plays, const LanguageTextTable &texts,
                        const QLocale &locale);

// The position of the game a command line names: a game number (1 to 26) or
// a ROM set name, which names the first game of that set.
std::optional<int> gamePositionNamed(const QString &name);
// What a command line names the game at position by: its ROM set where that
// names this game, its number for the second game of a set.
QString playArgument(int position);

} // namespace rivonel
