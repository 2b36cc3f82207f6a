// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/CommandLine.h"

#include "core/history/GameRow.h"
#include "core/options/OptionTable.h"
#include "core/options/SavedOptions.h"
#include "core/settings/IniDocument.h"
#include "core/system/ShownName.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace rivonel {

namespace {

// Qt's own options, which it takes with one dash or two when the window
// system starts: those followed by a value, and those that stand alone.
bool isQtOptionWithValue(QStringView name)
{
    for (const char16_t *option :
         {u"platform", u"platformpluginpath", u"platformtheme", u"plugin", u"qwindowgeometry",
          u"geometry", u"qwindowtitle", u"title", u"qwindowicon", u"icon", u"session", u"display",
          u"name", u"style", u"stylesheet"})
        if (name == QStringView(option))
            return true;
    return false;
}

bool isQtFlag(QStringView name)
{
    for (const char16_t *option :
         {u"reverse", u"widgetcount", u"nograb", u"dograb", u"sync", u"testability"})
        if (name == QStringView(option))
            return true;
    return name.startsWith(u"style=") || name.startsWith(u"stylesheet=") ||
           name.startsWith(u"qmljsdebugger=");
}

CommandLine bad(const QString &error, const QString &game = {})
{
    CommandLine command;
    command.action = CommandLine::Action::Bad;
    command.error = error;
    command.game = game;
    return command;
}

// What the arguments, read through, ask for as a whole.
CommandLine settled(CommandLine command, bool list, const std::optional<QString> &game,
                    const QString &firstError)
{
    if (!firstError.isEmpty())
        return bad(firstError);
    if (list && game)
        return bad(QStringLiteral("--list and --play cannot go together"));
    if (command.json && !list)
        return bad(QStringLiteral("--json goes with --list"));
    if (command.bigScreen && list)
        return bad(QStringLiteral("--big-screen opens the window; it does not go with --list"));
    if (game) {
        command.game = *game;
        const std::optional<int> position = gamePositionNamed(*game);
        if (!position)
            return bad(QStringLiteral("unknown game '%1': give a ROM set name (see --list) or a "
                                      "number from 1 to %2")
                           .arg(shownName(*game), QString::number(gameCount)),
                       *game);
        command.action = CommandLine::Action::Play;
        command.position = *position;
    } else if (list) {
        command.action = CommandLine::Action::List;
    }
    return command;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine command;
    bool list = false;
    std::optional<QString> game;
    QString firstError;
    const auto fail = [&firstError](const QString &error) {
        if (firstError.isEmpty())
            firstError = error;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        // Help and the version answer whatever else is there, as they always have.
        if (argument == u"--help" || argument == u"-h") {
            command.action = CommandLine::Action::Help;
            return command;
        }
        if (argument == u"--version" || argument == u"-v") {
            command.action = CommandLine::Action::Version;
            return command;
        }
        if (argument == u"--list") {
            list = true;
        } else if (argument == u"--json") {
            command.json = true;
        } else if (argument == u"--big-screen") {
            command.bigScreen = true;
        } else if (argument == u"--play" || argument.startsWith(u"--play=")) {
            const bool joined = argument.startsWith(u"--play=");
            if (game)
                fail(QStringLiteral("--play is given twice"));
            else if (!joined && i + 1 >= arguments.size())
                fail(QStringLiteral("--play needs a game: a ROM set name or a number from 1 to %1")
                         .arg(gameCount));
            else
                game = joined ? argument.mid(7) : arguments[++i];
        } else if (const QStringView name =
                       QStringView(argument).mid(argument.startsWith(u"--") ? 2 : 1);
                   argument.startsWith(u'-') && isQtOptionWithValue(name) &&
                   i + 1 < arguments.size()) {
            command.qtArguments << i << i + 1;
            ++i;
        } else if (argument.startsWith(u'-') && isQtFlag(name)) {
            command.qtArguments << i;
        } else {
            fail(QStringLiteral("unknown argument '%1'").arg(shownName(argument)));
        }
    }
    return settled(command, list, game, firstError);
}

QString usageLine()
{
    return QStringLiteral(
        "Usage: rivonel [--help | --version | --list [--json] | [--big-screen] [--play <game>]]\n");
}

QString helpText()
{
    return usageLine() +
           QStringLiteral(
               "\nA front-end for the arcade emulator Zinc 0.9: pick a game, set the options and "
               "play.\n\n"
               "  -h, --help       show this help and exit\n"
               "  -v, --version    show the version and exit\n"
               "  --list           print the 26 games: number, ROM set, title, whether the "
               "archive\n"
               "                   is in the saved ROM directory, times played, favourite and "
               "the\n"
               "                   archive's state (ready, damaged, ...); no window\n"
               "  --list --json    the same as a JSON array, for scripts\n"
               "  --play <game>    open Rivonel with the game selected and press Play; <game> is "
               "a\n"
               "                   ROM set name (sfex, the first game of that set) or a game "
               "number\n"
               "                   (1-26). With Rivonel already open, its window plays the "
               "game.\n"
               "  --big-screen     open the big-screen view, for a television or a cabinet\n"
               "                   (F11 in the window; Escape or a pad's Back held leaves it)\n\n"
               "Exit status: 0 on success (also when a Rivonel already open for the same options\n"
               "takes the command line); 1 when that Rivonel does not answer; 2 for a bad\n"
               "argument or an unknown game (nothing opens).\n\n"
               "A copy with language/ or portable.txt beside it is portable and keeps its files\n"
               "there. Installed (in <prefix>/bin, with <prefix>/share/rivonel), it keeps\n"
               "rivonel.ini and history.ini (times played, favourites) in "
               "$XDG_CONFIG_HOME/rivonel,\n"
               "the launch script and log.txt in $XDG_STATE_HOME/rivonel, and looks for languages\n"
               "and pictures in $XDG_DATA_HOME/rivonel before the installed ones. See "
               "rivonel(1).\n");
}

namespace {

QString yesNo(bool yes)
{
    return yes ? u"yes"_s : u"no"_s;
}

// The keys a game's section holds, "-" for none.
QString ownKeys(const GameOptions &own, int position)
{
    QStringList keys;
    for (const auto &[index, text] : own.stored(position))
        keys << optionTable()[static_cast<std::size_t>(index)].key.toString();
    return keys.isEmpty() ? u"-"_s : keys.join(u',');
}

} // namespace

QString gameListText(const RomFolderLook &roms, const PlayHistory &history,
                     const ArchiveKnowledge *archives, const GameOptions *own)
{
    QString text = QStringLiteral("%1  %2  %3  %4  %5  %6")
                       .arg(u"No."_s, 3)
                       .arg(u"ROM set"_s, -11)
                       .arg(u"Title"_s, -30)
                       .arg(u"Archive"_s, -7)
                       .arg(u"Played"_s, 6)
                       .arg(archives ? (own ? u"Favourite  State    "_s : u"Favourite  State"_s)
                                     : u"Favourite"_s) +
                   (own ? u"  Own options"_s : QString()) + u'\n';
    const LanguageTextTable english;
    for (int position = 0; position < gameCount; ++position) {
        const GameEntry &game = gameTable()[static_cast<std::size_t>(position)];
        const GameRow row =
            gameRow(position, roms, archives ? *archives : ArchiveKnowledge{}, history, english);
        text += QStringLiteral("%1  %2  %3  %4  %5  %6")
                    .arg(gameNumber(position), 3)
                    .arg(game.romSet.toString(), -11)
                    .arg(game.title.toString(), -30)
                    .arg(row.archivePresent ? yesNo(*row.archivePresent) : u"unknown"_s, -7)
                    .arg(row.plays.times, 6)
                    .arg(yesNo(row.favourite), archives || own ? -9 : 0) +
                (archives
                     ? u"  "_s + QStringLiteral("%1").arg(archiveStateName(row.state), own ? -9 : 0)
                     : QString()) +
                (own ? u"  "_s + ownKeys(*own, position) : QString()) + u'\n';
    }
    return text;
}

QByteArray gameListJson(const RomFolderLook &roms, const PlayHistory &history,
                        const ArchiveKnowledge *archives, const GameOptions *own)
{
    QJsonArray games;
    const LanguageTextTable english;
    for (int position = 0; position < gameCount; ++position) {
        const GameEntry &game = gameTable()[static_cast<std::size_t>(position)];
        const GameRow row =
            gameRow(position, roms, archives ? *archives : ArchiveKnowledge{}, history, english);
        const GamePlays &plays = row.plays;
        QJsonObject entry{
            {u"number"_s, gameNumber(position)},
            {u"romSet"_s, game.romSet.toString()},
            {u"title"_s, game.title.toString()},
            {u"archivePresent"_s,
             row.archivePresent ? QJsonValue(*row.archivePresent) : QJsonValue()},
            {u"timesPlayed"_s, plays.times},
            {u"secondsPlayed"_s, plays.seconds},
            {u"lastPlayed"_s, plays.last.isValid()
                                  ? QJsonValue(plays.last.toUTC().toString(Qt::ISODate))
                                  : QJsonValue()},
            {u"favourite"_s, row.favourite},
        };
        if (archives)
            entry.insert(u"archiveState"_s, archiveStateName(row.state));
        if (own) {
            QJsonObject values;
            for (const auto &[index, text] : own->stored(position))
                values.insert(optionTable()[static_cast<std::size_t>(index)].key.toString(), text);
            entry.insert(u"ownOptions"_s, values);
        }
        games.append(entry);
    }
    return QJsonDocument(games).toJson(QJsonDocument::Indented);
}

QByteArray gameListing(const ProgramFiles &files, const PlatformConventions &platform, bool json,
                       const ArchiveReader &read)
{
    const IniDocument::Reading saved = IniDocument::read(files.options);
    const QString romFolder = savedValue(saved.document, optionEntry(&OptionSet::romDirectory));
    const RomFolderLook roms = lookForRomArchives(romFolder, platform.fileNames);
    const PlayHistory history = PlayHistory::read(files.history);
    // What the window's checks keep, brought up to date by reading through
    // only the archives that changed since; nothing is written.
    const std::atomic_bool notCancelled(false);
    const ArchiveKnowledge archives =
        romFolder.isEmpty() ? ArchiveKnowledge{}
                            : checkArchives(readArchiveKnowledge(files.archiveChecks), platform,
                                            romFolder, allRomSets(), read, notCancelled);
    const GameOptions own = GameOptions::read(files.gameOptions).options;
    return json ? gameListJson(roms, history, &archives, &own)
                : gameListText(roms, history, &archives, &own).toUtf8();
}

HandedPlay handedPlay(const QStringList &args)
{
    QStringList arguments = args;
    if (!arguments.isEmpty() && !arguments.first().startsWith(u'-'))
        arguments.removeFirst();
    const CommandLine command = parseCommandLine(arguments);
    if (command.game.isEmpty())
        return {HandedPlay::Ask::Nothing, -1, {}, command.bigScreen};
    if (command.action != CommandLine::Action::Play)
        return {gamePositionNamed(command.game) ? HandedPlay::Ask::Nothing
                                                : HandedPlay::Ask::UnknownGame,
                -1, command.game, command.bigScreen};
    return {HandedPlay::Ask::Play, command.position, command.game, command.bigScreen};
}

} // namespace rivonel
