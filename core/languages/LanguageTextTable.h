#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace rivonel {

class IniDocument;

// Texts that came after the first 51; a language file made before them
// gets the built-in English text of each one it lacks.
namespace textKey {
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
inline constexpr int fileNotRead = 66;    // %1: the file, %2: why (64, 65)
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
} // namespace textKey

// The texts String01 to String80 of one language. Numbers outside 1 to 80
// read as empty and are ignored on writing.
class LanguageTextTable {
public:
    static constexpr int baseCount = 51; // every language file has these
    static constexpr int count = 80;

    // Keys past baseCount start with their built-in English text; the first
    // 51 start empty.
    LanguageTextTable();

    // "String01" ... "String80"
    static QString keyName(int number);

    // The texts the window's design-time language (Portuguese) gives the
    // language-dependent list items, used when no language file is found.
    static LanguageTextTable designTimeListTexts();

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

} // namespace rivonel
