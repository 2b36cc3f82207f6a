// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/languages/LanguageTextTable.h"

#include "core/settings/IniDocument.h"

#include <iterator>

namespace rivonel {

namespace {

bool inRange(int number)
{
    return number >= 1 && number <= LanguageTextTable::count;
}

// The English text of every key, String01 on. A language file may lack
// those past the first 51; a file that cannot be used at all gives way to
// the whole table.
const char *const builtInEnglish[LanguageTextTable::count] = {
    "Game",
    "Play",
    "",
    "Renderer:",
    "Enable sound",
    "Zinc directory:",
    "ROM directory:",
    "Browse",
    "Zinc not found",
    "Default",
    "",
    "Choose the Zinc directory",
    "Choose the ROM directory",
    "None",
    "Light",
    "Strong",
    "Show FPS",
    "Frameskip",
    "Auto",
    "Limit frames",
    "Dithering",
    "Resolution:",
    "Colour depth:",
    "Scanlines:",
    "Texture filter:",
    "Quality:",
    "Cache",
    "Frame rate:",
    "Rotate screen:",
    "Brightness:",
    "General",
    "Sound filter",
    "Stereo",
    "Surround",
    "Surround multiplier",
    "Use low geometry",
    "Language:",
    "Full screen",
    "No sound output device was found, so sound is off.",
    "Cut-off:",
    "Starting",
    "Could not find",
    "in the ROM directory.",
    "The Zinc emulator is not in the Zinc directory.",
    "Sound: on",
    "Sound: off",
    "in the Zinc directory; choose another renderer.",
    "Renderer:",
    "The game has ended.",
    "The ROM file",
    "is missing from ",
    "Enable keys",
    "The emulator ended without writing any output.",
    "The emulator ended without reporting how the game went; its last line was: %1",
    "Rivonel could not write the launch script %1.",
    "Rivonel could not start the launch script %1 with %2.",
    "The emulator log %1 is still in use; the game was not started.",
    "Video",
    "Audio",
    "Your options could not be saved in %1: %2",
    "the file is read-only.",
    "its folder does not allow the file to be replaced.",
    "the new file could not be written whole; the disk may be full.",
    "the file could not be read.",
    "the file is larger than %1 KiB.",
    "The file %1 was not read: %2",
    "These options were not saved because their values hold a line break: %1",
    "Playing: %1",
    "Time: %1",
    "Stop",
    "Stopping the emulator...",
    "The game was stopped.",
    "The emulator's last lines:",
    "The emulator's log %1 is not a file.",
    "The emulator's log %1 could not be read.",
    "The emulator's log %1 could not be deleted.",
    "Rivonel could not write %1; the emulator will find it as it was.",
    "Your options are kept in %1.",
    "Its ROM archive %1 is not in %2.",
    "The ROM folder %1 cannot be read, so its archive %2 cannot be found there.",
    "it is a folder, a pipe or a device, not an ordinary file.",
    "The emulator log %1 is not a file and could not be removed; remove it and play again.",
    "The text of \"%1\" holds a line break; the game was not started.",
    "The emulator quit with exit code %1.",
    "The emulator was ended by %1.",
    "A game is running. Stop it and close Rivonel?",
    "Games",
    "Picture of the selected game",
    "Messages",
    "Browse for the Zinc directory",
    "Browse for the ROM directory",
    "Set the Zinc directory to the folder that holds the Zinc 0.9 emulator (%1): type it on the "
    "General tab or choose it with its Browse button.",
    "Set the ROM directory to the folder that holds the games' ROM archives (.zip files): type it "
    "on the General tab or choose it with its Browse button.",
    "There is no folder %1.",
    "About Rivonel and where it keeps its files (F1)",
    "About Rivonel",
    "A front-end for the arcade emulator Zinc 0.9: pick one of its 26 games in the list, set the "
    "options and press Play.",
    "Rivonel includes neither the emulator nor any game. Bring the Zinc 0.9 emulator (%1 with its "
    "renderer plug-ins) and the games' ROM archives (.zip files), and set their folders on the "
    "General tab.",
    "This copy is portable: it keeps its files beside the program.",
    "This copy is installed: it keeps your files in your own folders.",
    "Options: %1",
    "Launch script: %1",
    "The emulator's output during a game: %1",
    "Language files are read from: %1",
    "Web page: %1",
    "Copyright (C) 2026 The Rivonel developers. Rivonel is free software: you may share and "
    "change it under the GNU General Public License, version 3 or (at your choice) any later "
    "version (the LICENSE file that comes with it, or https://www.gnu.org/licenses/). It comes "
    "with no warranty. Rivonel uses Qt 6, libzip, zlib and SDL 2, each under its own licence.",
    "Close",
    "Never played",
    "Played once, %1 in all, last on %2",
    "Played %1 times, %2 in all, last on %3",
    "%1 h %2 min",
    "%1 min",
    "Favourite",
    "Create a desktop shortcut",
    "A desktop shortcut for %1 was written to %2.",
    "The desktop shortcut %1 could not be written.",
    "The play history could not be saved in %1.",
    "Rivonel was asked to play %1, but a game is already running.",
    "Rivonel was asked to play %1, but the window is busy; close its dialog and ask again.",
    "Rivonel was asked to play %1, which is not one of its games.",
    "Check archive",
    "Its ROM archive %1 is ready: every file in it reads back whole.",
    "Its ROM archive %1 is not a zip archive.",
    "Its ROM archive %1 is damaged: its file %2 is %3.",
    "Its ROM archive %1 is damaged: it is %2.",
    "cut short",
    "not what it was (its CRC-32 does not match)",
    "unreadable",
    "larger than any ROM could be",
    "Its ROM archive %1 lacks %2: the emulator said so when it last ran this archive.",
    "Its ROM archive %1 is being checked.",
    "Files in %1:",
    "%1: %2 bytes, CRC-32 %3",
    "Warning: %1 The game is started all the same.",
    "Your options will be kept in %1 when Rivonel closes.",
    "The Renderer list is on the Video tab; a renderer marked \u201cplug-in missing\u201d cannot "
    "run.",
    "%1 (plug-in missing)",
    "Set the Zinc directory",
    "Set the ROM directory",
    "Choose a game in the list to play it.",
    "Search by title or ROM set (Ctrl+F)",
    "All games",
    "Available only",
    "Favourites",
    "Played recently",
    "Show:",
    "ROM set: %1",
    "Search games",
    "Selected game",
    "Rivonel ended what the game left running.",
    "\u2026and %1 more files.",
    "Another Rivonel with the same options may start beside this one: the folder %1, where the "
    "two would meet, is a link, another user's or open to others, so Rivonel does not trust it.",
    "Another Rivonel with the same options may start beside this one: its lock could not be made "
    "or checked in %1.",
    "%1 command lines from later starts of Rivonel came too fast and were dropped unread.",
    "The game an earlier Rivonel started, %1, is still running: Stop ends it.",
    "All games",
    "The tabs show the options of %1: a change there is this game's own.",
    "Options:",
    "Back to the options of all games",
    "Use the value of all games",
    "The own value of %1; its context menu gives back the value of all games.",
    "The value of all games.",
    "Options of this game: %1",
    "Options of its own: %1",
    "on",
    "off",
    "The options of single games in %1 could not be read (%2): every game plays with the options "
    "of all games, and Rivonel leaves the file as it is.",
    "What Play will write",
    "Lines marked \u25b6 come from this game's own options. Nothing has been written.",
    "Launch line:",
    "Stop a game with the pad:",
    "Never",
    "Big screen",
    "Up and Down choose a game, A or Enter plays it. Hold Back, or press Escape, for the "
    "window.",
    "Game pad connected: %1.",
    "Game pad disconnected: %1.",
    "Game pads cannot be used: %1.",
    "The emulator's output of this run is kept in %1.",
    "The emulator's output of the last run, kept: %1",
};

QString englishText(int number)
{
    return QString::fromUtf8(builtInEnglish[number - 1]);
}

// What a language file's missing key reads as.
QString builtInText(int number)
{
    return number > LanguageTextTable::baseCount ? englishText(number) : QString();
}

} // namespace

LanguageTextTable::LanguageTextTable()
{
    for (int number = baseCount + 1; number <= count; ++number)
        set(number, builtInText(number));
}

QString LanguageTextTable::keyName(int number)
{
    return QStringLiteral("String%1").arg(number, 2, 10, QLatin1Char('0'));
}

LanguageTextTable LanguageTextTable::english()
{
    LanguageTextTable texts;
    for (int number = 1; number <= count; ++number)
        texts.set(number, englishText(number));
    return texts;
}

LanguageTextTable LanguageTextTable::designTimeListTexts()
{
    LanguageTextTable texts;
    texts.set(textKey::textureQualityDefault, QStringLiteral("Padrão"));
    texts.set(textKey::scanLinesNone, QStringLiteral("Nenhuma"));
    texts.set(textKey::scanLinesLight, QStringLiteral("Leve"));
    texts.set(textKey::scanLinesStrong, QStringLiteral("Forte"));
    texts.set(textKey::padStopNever, QStringLiteral("Nunca"));
    return texts;
}

LanguageTextTable LanguageTextTable::fromFile(const IniDocument &file)
{
    LanguageTextTable texts;
    for (int number = 1; number <= count; ++number) {
        const QString text =
            file.value(QStringLiteral("Language"), keyName(number)).value_or(QString());
        // A newer message is never left empty.
        texts.set(number, text.isEmpty() ? builtInText(number) : text);
    }
    return texts;
}

QString LanguageTextTable::text(int number) const
{
    return inRange(number) ? m_texts[static_cast<std::size_t>(number - 1)] : QString();
}

void LanguageTextTable::set(int number, const QString &text)
{
    if (inRange(number))
        m_texts[static_cast<std::size_t>(number - 1)] = text;
}

QStringList scanLineItems(const LanguageTextTable &texts)
{
    return {texts.text(textKey::scanLinesNone), texts.text(textKey::scanLinesLight),
            texts.text(textKey::scanLinesStrong)};
}

QStringList textureQualityItems(const LanguageTextTable &texts)
{
    return {texts.text(textKey::textureQualityDefault), QStringLiteral("4 bit"),
            QStringLiteral("5 bit"), QStringLiteral("8 bit")};
}

QStringList padStopItems(const LanguageTextTable &texts)
{
    return {texts.text(textKey::padStopNever), QStringLiteral("Back + Start"),
            QStringLiteral("Guide"), QStringLiteral("LB + RB + Back + Start")};
}

Wording followedBy(Wording first, Wording second)
{
    return [first = std::move(first), second = std::move(second)](const LanguageTextTable &texts) {
        return first(texts) + second(texts);
    };
}

Wording lineAfterLine(Wording first, Wording second)
{
    if (!first || !second)
        return first ? first : second;
    return [first = std::move(first), second = std::move(second)](const LanguageTextTable &texts) {
        return first(texts) + QStringLiteral("\r\n") + second(texts);
    };
}

QString captionAsName(const QString &caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return name.trimmed();
}

} // namespace rivonel
