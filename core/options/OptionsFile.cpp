// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/OptionsFile.h"

#include "core/options/SavedOptions.h"
#include "core/system/ProgramFiles.h"
#include "core/system/SafeOpen.h"
#include "core/system/ShownName.h"
#include "core/system/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace rivonel {

OptionsFile::OptionsFile(const ProgramLocations &locations, const PlatformConventions &platform,
                         IsSettingsFile isSettingsFile)
    : m_locations(locations), m_path(ProgramFiles::of(locations, platform).options),
      m_lineEnd(platform.lineEnd), m_isSettingsFile(std::move(isSettingsFile))
{
}

namespace {

// Copies the shipped options for a user who has none. The shipped file is
// judged on what was opened, like every file read; the copy never replaces
// anything that appeared at its name meanwhile.
bool copyShippedOptions(const QString &shipped, const QString &path, const QString &folder)
{
    QFile from;
    if (openRegularFile(shipped, from) != OpenResult::Opened)
        return false;
    const QByteArray bytes = from.read(IniDocument::maxFileSize + 1);
    QFile copy(path);
    if (bytes.size() > IniDocument::maxFileSize || !QDir().mkpath(folder) ||
        !copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (copy.write(bytes) == bytes.size() && copy.flush())
        return true;
    copy.remove();
    return false;
}

} // namespace

OptionsFile::Loaded OptionsFile::load() const
{
    Loaded loaded;
    // What a save cut short left behind is never the options.
    removeUnfinishedWrites(m_path);
    if (m_locations.installed && !QFileInfo::exists(m_path) &&
        copyShippedOptions(m_locations.defaultSettings, m_path, m_locations.settingsDirectory)) {
        // The one file Rivonel creates: an installed copy has none of the user's to respect.
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
        loaded.created = true;
    }
    // Read, and judged, before any look at its name: a FIFO put there must not
    // hold up the start. What is no ordinary file reads as empty.
    IniDocument::Reading file = IniDocument::read(m_path);
    if (!isTheSettingsFile(file.status))
        return loaded;
    loaded.status = file.status;
    loaded.document = std::move(file.document);
    return loaded;
}

// A file the settings layer would not use (hidden, or a system file) is left
// alone; what is missing or no file at all is the reading's to say.
bool OptionsFile::isTheSettingsFile(IniDocument::ReadStatus status) const
{
    return status == IniDocument::ReadStatus::Missing ||
           status == IniDocument::ReadStatus::NotAFile || m_isSettingsFile(m_path);
}

namespace {

// Replaces the file; why it could not be, or None.
OptionsFile::SaveProblem replace(const QString &path, const QByteArray &bytes)
{
    using P = OptionsFile::SaveProblem;
    const QFileInfo file(path);
    // Its mode, not this user's rights: an administrator may write anything.
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    // A file the user made read-only is not replaced behind their back.
    if (!file.isWritable() || !(file.permissions() & anyWrite))
        return P::FileReadOnly;
    if (writeFileAnew(path, bytes))
        return P::None;
    return QFileInfo(file.absolutePath()).isWritable() ? P::NotWrittenWhole : P::FolderReadOnly;
}

// Makes the file where there was none, and its folder with it.
OptionsFile::SaveProblem create(const QString &path, const QString &folder, const QByteArray &bytes)
{
    using P = OptionsFile::SaveProblem;
    if (QDir().mkpath(folder) && writeFileAnew(path, bytes))
        return P::None;
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable() ? P::NotWrittenWhole : P::FolderReadOnly;
}

} // namespace

// One reading of the file, every option edited in memory, one replacement.
OptionsFile::Saved OptionsFile::save(const OptionSet &options) const
{
    Saved saved;
    IniDocument::Reading file = IniDocument::read(m_path);
    // A user without the file would lose every choice: it is made anew, with
    // every key, in the order an empty file would be filled.
    if (file.status == IniDocument::ReadStatus::Missing) {
        IniDocument made(m_lineEnd); // in the system's own line ends, as any file it writes
        saved.unsavedKeys = saveOptions(made, options);
        saved.problem = create(m_path, m_locations.settingsDirectory, made.toBytes());
        return saved;
    }
    if (!isTheSettingsFile(file.status))
        return saved;
    if (file.status != IniDocument::ReadStatus::Read) {
        saved.problem = SaveProblem::NotRead;
        saved.readStatus = file.status;
        return saved;
    }
    // Shares the text until the first edit: no copy to compare with in a large file.
    const IniDocument before = file.document;
    saved.unsavedKeys = saveOptions(file.document, options);
    if (!file.document.writesSameAs(before))
        saved.problem = replace(m_path, file.document.toBytes());
    return saved;
}

QStringList OptionsFile::notices(const Loaded &loaded, const LanguageTextTable &texts) const
{
    QStringList notices;
    if (loaded.created)
        notices << texts.text(textKey::optionsLiveIn).arg(shownName(m_path));
    else if (loaded.status == IniDocument::ReadStatus::Missing)
        notices << texts.text(textKey::optionsWillLiveIn).arg(shownName(m_path));
    if (loaded.status != IniDocument::ReadStatus::Read &&
        loaded.status != IniDocument::ReadStatus::Missing)
        notices << texts.text(textKey::fileNotRead)
                       .arg(shownName(m_path), whyNotRead(texts, loaded.status));
    return notices;
}

QStringList OptionsFile::problems(const Saved &saved, const LanguageTextTable &texts) const
{
    QString why;
    switch (saved.problem) {
    case SaveProblem::None:
        break;
    case SaveProblem::NotRead:
        why = whyNotRead(texts, saved.readStatus);
        break;
    case SaveProblem::FileReadOnly:
        why = texts.text(textKey::fileIsReadOnly);
        break;
    case SaveProblem::FolderReadOnly:
        why = texts.text(textKey::folderIsReadOnly);
        break;
    case SaveProblem::NotWrittenWhole:
        why = texts.text(textKey::fileNotWrittenWhole);
        break;
    }
    QStringList problems;
    if (saved.problem != SaveProblem::None)
        problems << texts.text(textKey::optionsNotSaved).arg(shownName(m_path), why);
    if (!saved.unsavedKeys.isEmpty())
        problems << texts.text(textKey::valuesNotSaved).arg(saved.unsavedKeys.join(u", "));
    return problems;
}

QString whyNotRead(const LanguageTextTable &texts, IniDocument::ReadStatus status)
{
    switch (status) {
    case IniDocument::ReadStatus::TooLarge:
        return texts.text(textKey::fileTooLarge).arg(IniDocument::maxFileSize / 1024);
    case IniDocument::ReadStatus::NotAFile:
        return texts.text(textKey::notAFile);
    default:
        return texts.text(textKey::fileNotReadable);
    }
}

} // namespace rivonel
