#include "core/options/OptionsFile.h"

#include "core/options/SavedOptions.h"
#include "core/system/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace rivonel {

OptionsFile::OptionsFile(const ProgramLocations &locations, const PlatformConventions &platform,
                         IsSettingsFile isSettingsFile)
    : m_locations(locations), m_path(platform.join(locations.settingsDirectory, settingsFileName)),
      m_isSettingsFile(std::move(isSettingsFile))
{
}

OptionsFile::Loaded OptionsFile::load() const
{
    Loaded loaded;
    // What a save cut short left behind is never the options.
    removeUnfinishedWrites(m_path);
    if (m_locations.installed && !QFileInfo::exists(m_path) &&
        QFileInfo::exists(m_locations.defaultSettings) &&
        QDir().mkpath(m_locations.settingsDirectory) &&
        QFile::copy(m_locations.defaultSettings, m_path)) {
        // The one file Rivonel creates: an installed copy has none of the user's to respect.
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
        loaded.created = true;
    }
    // A file that is missing or no ordinary file reads as empty.
    if (!m_isSettingsFile(m_path))
        return loaded;
    IniDocument::Reading file = IniDocument::read(m_path);
    loaded.status = file.status;
    loaded.document = std::move(file.document);
    return loaded;
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

} // namespace

// One reading of the file, every option edited in memory, one replacement.
OptionsFile::Saved OptionsFile::save(const OptionSet &options) const
{
    Saved saved;
    // The file is never created here: without one nothing is kept.
    if (!m_isSettingsFile(m_path))
        return saved;
    IniDocument::Reading file = IniDocument::read(m_path);
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
        notices << texts.text(textKey::optionsLiveIn).arg(m_path);
    // A file that went between the look and the read is no file.
    if (loaded.status != IniDocument::ReadStatus::Read &&
        loaded.status != IniDocument::ReadStatus::Missing)
        notices << texts.text(textKey::fileNotRead).arg(m_path, whyNotRead(texts, loaded.status));
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
        problems << texts.text(textKey::optionsNotSaved).arg(m_path, why);
    if (!saved.unsavedKeys.isEmpty())
        problems << texts.text(textKey::valuesNotSaved).arg(saved.unsavedKeys.join(u", "));
    return problems;
}

QString whyNotRead(const LanguageTextTable &texts, IniDocument::ReadStatus status)
{
    return status == IniDocument::ReadStatus::TooLarge
               ? texts.text(textKey::fileTooLarge).arg(IniDocument::maxFileSize / 1024)
               : texts.text(textKey::fileNotReadable);
}

} // namespace rivonel
