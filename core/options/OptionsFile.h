// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/OptionSet.h"
#include "core/settings/IniDocument.h"
#include "core/system/PlatformConventions.h"
#include "core/system/ProgramLocations.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace rivonel {

// Whether a path names a settings file the settings layer would read: an
// existing ordinary file, by the platform's rules.
using IsSettingsFile = std::function<bool(const QString &path)>;

// rivonel.ini: read once, whole, at start, and replaced once, whole, at the
// close. An installed copy starts from the shipped options; without a file
// the close makes one.
class OptionsFile {
public:
    OptionsFile(const ProgramLocations &locations, const PlatformConventions &platform,
                IsSettingsFile isSettingsFile);

    QString path() const { return m_path; }

    struct Loaded {
        IniDocument document; // empty when there is no file or it cannot be read
        // The shipped options were copied for this user, who is told where they live.
        bool created = false;
        // Read, or why the file that is there could not be (Missing: no file).
        IniDocument::ReadStatus status = IniDocument::ReadStatus::Missing;
    };
    Loaded load() const;

    // Why the options were not kept, or part of them.
    enum class SaveProblem {
        None,
        NotRead,        // the file that is there could not be read (readStatus says why)
        FileReadOnly,   // the user made it read-only
        FolderReadOnly, // its folder refuses the replacement
        NotWrittenWhole,
    };
    struct Saved {
        SaveProblem problem = SaveProblem::None;
        IniDocument::ReadStatus readStatus = IniDocument::ReadStatus::Read;
        QStringList unsavedKeys; // values a line break kept out; their saved text stands
    };
    // Writes every option into the file's text and replaces the file when
    // its bytes changed; creates it, with its folder, when there is none.
    Saved save(const OptionSet &options) const;

    // What the user is told of a load or a save, in their language; nothing
    // when all went well.
    QStringList notices(const Loaded &loaded, const LanguageTextTable &texts) const;
    QStringList problems(const Saved &saved, const LanguageTextTable &texts) const;

private:
    bool isTheSettingsFile(IniDocument::ReadStatus status) const;

    ProgramLocations m_locations;
    QString m_path;
    QString m_lineEnd;
    IsSettingsFile m_isSettingsFile;
};

// Why a file was not read, in the user's language: no ordinary file, too
// large, or unreadable.
QString whyNotRead(const LanguageTextTable &texts, IniDocument::ReadStatus status);

} // namespace rivonel
