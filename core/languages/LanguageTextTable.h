// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace rivonel {

class IniDocument;

// The number of each text the program shows, as the language files key them.
namespace textKey {
// Texts every language file has.
inline constexpr int gameLabel = 1; // before the selected game's number and title
inline constexpr int playCaption = 2;
inline constexpr int rendererCaption = 4;
inline constexpr int soundEnableCaption = 5;
inline constexpr int zincDirectoryCaption = 6;
inline constexpr int romDirectoryCaption = 7;
inline constexpr int browseCaption = 8;
inline constexpr int zincNotFoundTitle = 9;
inline constexpr int textureQualityDefault = 10; // the first texture quality item
inline constexpr int chooseZincDirectory = 12;
inline constexpr int chooseRomDirectory = 13;
inline constexpr int scanLinesNone = 14; // the scanline items, 14 to 16
inline constexpr int scanLinesLight = 15;
inline constexpr int scanLinesStrong = 16;
inline constexpr int showFpsCaption = 17;
inline constexpr int frameSkipCaption = 18;
inline constexpr int frameSkipAutoCaption = 19;
inline constexpr int frameLimitCaption = 20;
inline constexpr int ditheringCaption = 21;
inline constexpr int resolutionCaption = 22;
inline constexpr int colorDepthCaption = 23;
inline constexpr int scanLinesCaption = 24;
inline constexpr int textureFilteringCaption = 25;
inline constexpr int textureQualityCaption = 26;
inline constexpr int textureCachingCaption = 27;
inline constexpr int frameRateCaption = 28;
inline constexpr int turnDisplayCaption = 29;
inline constexpr int blendingCaption = 30;
inline constexpr int generalTabCaption = 31;
inline constexpr int soundFilterCaption = 32;
inline constexpr int stereoExciterCaption = 33;
inline constexpr int surroundLiteCaption = 34;
inline constexpr int surroundMultiplierCaption = 35;
inline constexpr int lowGeometryCaption = 36;
inline constexpr int languageCaption = 37;
inline constexpr int fullScreenCaption = 38;
inline constexpr int noSoundDevice = 39;
inline constexpr int soundFilterCutoffCaption = 40;
// The launch log's lines and the checks before a launch; the pieces of a
// sentence stand around a file's name.
inline constexpr int starting = 41;          // before the game's title
inline constexpr int couldNotFind = 42;      // before the missing archive or plug-in
inline constexpr int notInRomDirectory = 43; // after the missing archive
inline constexpr int zincMissing = 44;       // also the Zinc folder picker's warning
inline constexpr int soundOn = 45;
inline constexpr int soundOff = 46;
inline constexpr int pluginNotInZincDirectory = 47; // after the missing plug-in
inline constexpr int rendererLogLabel = 48;         // before the plug-in's name
// How a run ended, as the emulator's log tells it.
inline constexpr int gameEnded = 49;
inline constexpr int missingRomFile = 50; // before the missing file's name
inline constexpr int missingFrom = 51;    // after it, before the archive's name

// Texts that came after the first 51; a language file made before them
// gets the built-in English text of each one it lacks.
inline constexpr int enableKeysCaption = 52;
inline constexpr int noOutput = 53;           // the emulator ended and wrote nothing
inline constexpr int unrecognisedOutput = 54; // %1: the log's last line
inline constexpr int scriptNotWritten = 55;   // %1: the launch script
inline constexpr int scriptNotStarted = 56;   // %1: the launch script, %2: its shell
inline constexpr int logInUse = 57;           // %1: the emulator's log
inline constexpr int videoTabCaption = 58;
inline constexpr int audioTabCaption = 59;
inline constexpr int optionsNotSaved = 60; // %1: the options file, %2: why (61 to 65)
inline constexpr int fileIsReadOnly = 61;
inline constexpr int folderIsReadOnly = 62;
inline constexpr int fileNotWrittenWhole = 63;
inline constexpr int fileNotReadable = 64;
inline constexpr int fileTooLarge = 65;   // %1: the largest size read, in KiB
inline constexpr int fileNotRead = 66;    // %1: the file, %2: why (64, 65, 81)
inline constexpr int valuesNotSaved = 67; // %1: the keys of the options
inline constexpr int playing = 68;        // %1: the game's title
inline constexpr int timePlayed = 69;     // %1: minutes and seconds
inline constexpr int stopCaption = 70;
inline constexpr int stopping = 71;
inline constexpr int runStopped = 72;
inline constexpr int lastLines = 73;
inline constexpr int logNotAFile = 74;          // %1: the emulator's log
inline constexpr int logUnreadable = 75;        // %1: the emulator's log
inline constexpr int logNotDeleted = 76;        // %1: the emulator's log
inline constexpr int optionFileNotWritten = 77; // %1: zinc.cfg or renderer.cfg
inline constexpr int optionsLiveIn = 78;        // %1: rivonel.ini in the user's folder
inline constexpr int archiveMissing = 79;       // %1: the archive, %2: the ROM folder
inline constexpr int romFolderUnreadable = 80;  // %1: the ROM folder, %2: the archive
inline constexpr int notAFile = 81;             // why a file was not read or saved (after 60, 66)
inline constexpr int staleLogNotAFile = 82;     // %1: the emulator's log left by an earlier run
inline constexpr int folderHoldsLineBreak = 83; // %1: the option's caption
inline constexpr int exitCode = 84;             // %1: the emulator's exit code
inline constexpr int killedBy = 85;             // %1: the signal or exception, named
inline constexpr int closeWhileRunning = 86;    // the question on closing during a run
// What a screen reader calls the controls no caption names.
inline constexpr int gamesListName = 87;
inline constexpr int pictureName = 88;
inline constexpr int logBoxName = 89;
inline constexpr int browseZincName = 90;
inline constexpr int browseRomName = 91;
// The first start's guidance and the About box.
inline constexpr int setZincDirectory = 92; // %1: the emulator's file name
inline constexpr int setRomDirectory = 93;
inline constexpr int noSuchFolder = 94; // %1: the folder as typed; before the two above
inline constexpr int helpButtonTip = 95;
inline constexpr int aboutTitle = 96;
inline constexpr int aboutPurpose = 97;
inline constexpr int aboutNeeds = 98; // %1: the emulator's file name
inline constexpr int aboutPortable = 99;
inline constexpr int aboutInstalled = 100;
inline constexpr int aboutOptionsFile = 101;     // %1: rivonel.ini
inline constexpr int aboutLaunchScript = 102;    // %1: the launch script
inline constexpr int aboutEmulatorLog = 103;     // %1: the emulator's log
inline constexpr int aboutLanguageFolders = 104; // %1: the folders
inline constexpr int aboutWebPage = 105;         // %1: the web address
inline constexpr int aboutLicence = 106;
inline constexpr int closeCaption = 107;
// The play history, favourites and desktop shortcuts, and a Play asked for
// from outside the window (a command line).
inline constexpr int neverPlayed = 108;
inline constexpr int playedOnce = 109;      // %1: the time played, %2: the day
inline constexpr int playedTimes = 110;     // %1: how often, %2: the time played, %3: the day
inline constexpr int hoursAndMinutes = 111; // %1: hours, %2: minutes
inline constexpr int minutesOnly = 112;     // %1: minutes
inline constexpr int favouriteCaption = 113;
inline constexpr int createShortcutCaption = 114;
inline constexpr int shortcutCreated = 115;      // %1: the game's title, %2: the shortcut's file
inline constexpr int shortcutNotWritten = 116;   // %1: the shortcut's file
inline constexpr int historyNotSaved = 117;      // %1: the history file
inline constexpr int playAskedDuringRun = 118;   // %1: the game's title
inline constexpr int playAskedWhileBusy = 119;   // %1: the game's title
inline constexpr int playAskedUnknownGame = 120; // %1: the game asked for
// The ROM archives' checks.
inline constexpr int checkArchiveCaption = 121;
inline constexpr int archiveReady = 122;        // %1: the archive
inline constexpr int archiveNotAZip = 123;      // %1: the archive
inline constexpr int archiveDamagedEntry = 124; // %1: the archive, %2: its file, %3: the fault
inline constexpr int archiveDamaged = 125;      // %1: the archive, %2: the fault
inline constexpr int faultTruncated = 126;      // the faults, these four
inline constexpr int faultCrcMismatch = 127;
inline constexpr int faultUnreadable = 128;
inline constexpr int faultTooLarge = 129;
inline constexpr int archiveIncomplete = 130; // %1: the archive, %2: the missing file
inline constexpr int archiveChecking = 131;   // %1: the archive
inline constexpr int archiveFilesIn = 132;    // %1: the archive's path
inline constexpr int archiveFile = 133;       // %1: the file, %2: its size, %3: its CRC-32
inline constexpr int archiveWarning = 134;    // %1: what is wrong with the archive
// A new user's way in, and finding a game.
inline constexpr int optionsWillLiveIn = 135;   // %1: rivonel.ini, made at the close
inline constexpr int chooseRendererThere = 136; // after a missing plug-in: where to choose
inline constexpr int pluginMissingMark =
    137; // %1: a renderer whose plug-in is not in the Zinc directory
inline constexpr int setZincButton = 138;
inline constexpr int setRomButton = 139;
inline constexpr int chooseGameFirst = 140; // Play's tip without a selected game
inline constexpr int searchPlaceholder = 141;
inline constexpr int filterAll = 142; // the filter's items, these four
inline constexpr int filterAvailable = 143;
inline constexpr int filterFavourites = 144;
inline constexpr int filterRecent = 145;
inline constexpr int filterName = 146;
inline constexpr int romSetLabel = 147; // %1: the game's ROM set
inline constexpr int searchName = 148;
inline constexpr int detailsName = 149;
inline constexpr int leftBehindEnded = 150;  // a run's processes outlived the emulator
inline constexpr int archiveMoreFiles = 151; // %1: how many files a report leaves unlisted
// The guard that keeps one Rivonel per options file, and what it turns away.
inline constexpr int instanceFolderNotPrivate = 152; // %1: the folder of the lock and mailbox
inline constexpr int instanceGuardFailed = 153;      // %1: the folder of the lock and mailbox
inline constexpr int commandLinesDropped = 154;      // %1: how many
inline constexpr int runTakenOn = 155;               // a run an earlier copy left, taken on
// Options of a game's own.
inline constexpr int optionsOfAllGames =
    156;                                  // the switch's first item; the other is the game's title
inline constexpr int optionsOfGame = 157; // the switch's tip in a game's view; %1: its title
inline constexpr int optionsShownName = 158;   // the switch's caption
inline constexpr int backToAllGames = 159;     // drops every own value of the game
inline constexpr int useValueOfAllGames = 160; // drops one own value
inline constexpr int ownValueMark = 161;       // %1: the game's title
inline constexpr int valueOfAllGamesMark = 162;
inline constexpr int gameOptionsUsed = 163; // %1: the own values, before a launch
inline constexpr int ownOptionsLine = 164;  // %1: the own values, in a row's description
inline constexpr int optionOn = 165;        // a check box's value in a sentence
inline constexpr int optionOff = 166;
inline constexpr int gameOptionsNotRead = 167; // %1: game-options.ini, %2: why
inline constexpr int previewCaption = 168;     // the button, F2 and the window's title
inline constexpr int previewLegend = 169;
inline constexpr int launchLineLabel = 170; // before the launch script's line
// Game pads and the big-screen view.
inline constexpr int padStopCaption = 171;
inline constexpr int padStopNever = 172; // the first stop combination: none
inline constexpr int bigScreenCaption = 173;
inline constexpr int bigScreenHelp = 174; // the keys and buttons, under the list
inline constexpr int padConnected = 175;  // %1: the pad's name
inline constexpr int padDisconnected = 176;
inline constexpr int padsUnavailable = 177; // %1: why
inline constexpr int runOutputKept = 178;   // %1: last-run.log, after a run that did not finish
inline constexpr int aboutLastRunLog = 179; // %1: last-run.log
} // namespace textKey

// The texts String01 to String179 of one language. Numbers outside 1 to 179
// read as empty and are ignored on writing.
class LanguageTextTable {
public:
    static constexpr int baseCount = 51; // every language file has these
    static constexpr int count = 179;

    // Keys past baseCount start with their built-in English text; the first
    // 51 start empty.
    LanguageTextTable();

    // "String01" ... "String153"
    static QString keyName(int number);

    // The texts the window's design-time language (Portuguese) gives the
    // language-dependent list items, used when no language file is found.
    static LanguageTextTable designTimeListTexts();

    // Every text in English, for when a language file cannot be used at all.
    static LanguageTextTable english();

    // The texts of a language file. A missing key reads as empty, but for a
    // key past baseCount, which keeps its English text.
    static LanguageTextTable fromFile(const IniDocument &file);

    QString text(int number) const;
    void set(int number, const QString &text);

private:
    std::array<QString, count> m_texts;
};

// The items of the two lists whose texts come from the language, in the
// order that gives each position its meaning for the renderer.
QStringList scanLineItems(const LanguageTextTable &texts);
QStringList textureQualityItems(const LanguageTextTable &texts);
// The stop combinations' names, by their saved positions.
QStringList padStopItems(const LanguageTextTable &texts);

// A text in whichever language is chosen when it is shown: what the program
// says in its own words is kept this way, so it can follow a language
// switch. An empty one says nothing.
using Wording = std::function<QString(const LanguageTextTable &)>;

// One text after the other, each in the language of the showing.
Wording followedBy(Wording first, Wording second);
// Two texts on lines of their own (CR LF between them); either may be none.
Wording lineAfterLine(Wording first, Wording second);

// A caption as a name inside a sentence: without the colon it ends with beside its field.
QString captionAsName(const QString &caption);

} // namespace rivonel
