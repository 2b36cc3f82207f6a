// The window's side of the ROM archives' checks: when they run, what the
// list and the log box show of them, and what a run teaches.

#include "window/frmPrincipal.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/emulator/RunReport.h"
#include "core/games/ArchiveReport.h"
#include "core/games/GameTable.h"
#include "core/system/SafeOpen.h"
#include "core/system/WholeFile.h"
#include "platform/ZipArchiveCheck.h"
#include "window/ArchiveMarks.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

namespace rivonel {

namespace {

// Writes the knowledge when it differs from the file's, on the check's own
// thread: a replacement waits for the disk, which the window must not. A
// file that cannot be written costs the next start a reading of each
// archive, nothing more.
void keepKnowledge(const QString &folder, const QString &path, const QByteArray &bytes)
{
    QFile kept;
    if (openRegularFile(path, kept) == OpenResult::Opened && kept.size() == bytes.size() &&
        kept.readAll() == bytes)
        return;
    kept.close();
    if (QDir().mkpath(folder))
        writeFileAnew(path, bytes);
}

} // namespace

void frmPrincipal::setUpArchiveChecks()
{
    mnuCheckArchive = new QAction(this);
    connect(mnuCheckArchive, &QAction::triggered, this, &frmPrincipal::mnuCheckArchive_Click);
    // A copy over an archive changes the archive, not always its folder.
    connect(&m_romFolderWatch, &QFileSystemWatcher::fileChanged, this, [this] {
        if (!m_romLookDelay.isActive())
            m_romLookDelay.start();
    });
    m_archiveCheck.setJob(
        [platform = m_platform, romSets = allRomSets(), folder = m_locations.runDirectory,
         file = m_platform.join(m_locations.runDirectory, archiveKnowledgeFileName)](
            const ArchiveCheckRequest &request, const std::atomic_bool &cancelled) {
            ArchiveKnowledge checked = checkArchives(request.known, platform, request.folder,
                                                     romSets, readZipArchive, cancelled);
            if (!cancelled)
                keepKnowledge(folder, file, checked.toBytes());
            return checked;
        },
        [this](const ArchiveCheckRequest &, ArchiveKnowledge checked) {
            archivesChecked(std::move(checked));
        });
}

void frmPrincipal::readArchiveKnowledge()
{
    m_archives = rivonel::readArchiveKnowledge(
        m_platform.join(m_locations.runDirectory, archiveKnowledgeFileName));
}

// Checks the archives of the folder last looked at; the archives it holds
// are watched, so that a copy over one checks it again.
void frmPrincipal::checkRomArchives()
{
    if (m_romFolder.status != RomFolderLook::Status::Listed)
        return;
    QStringList archives;
    for (int position = 0; position < gameCount; ++position)
        if (m_romFolder.present[static_cast<std::size_t>(position)])
            archives << archivePath(m_platform, m_romFolder.folder,
                                    RomSetNames.at(position).value_or(QString()));
    archives.removeDuplicates();
    if (const QStringList watched = m_romFolderWatch.files(); watched != archives) {
        if (!watched.isEmpty())
            m_romFolderWatch.removePaths(watched);
        if (!archives.isEmpty())
            m_romFolderWatch.addPaths(archives);
    }
    m_archiveCheck.request({m_romFolder.folder, m_archives});
}

void frmPrincipal::archivesChecked(ArchiveKnowledge checked)
{
    // A check of a folder the list no longer shows is of no use.
    if (checked.folder != m_romFolder.folder)
        return;
    // What a run taught while the check ran holds for the archive it ran.
    for (auto lesson = m_archives.learned.cbegin(); lesson != m_archives.learned.cend(); ++lesson)
        if (m_archives.folder == checked.folder && !checked.learned.contains(lesson.key()) &&
            checked.readings.value(lesson.key()).identity == lesson->identity)
            checked.learned.insert(lesson.key(), *lesson);
    m_archives = std::move(checked);
    showRomMarks();
    if (const QString romSet = std::exchange(m_archiveReportWanted, QString()); !romSet.isEmpty())
        tellUser(archiveReport(m_archives, m_platform, m_archives.folder, romSet, LanguageTexts));
}

void frmPrincipal::showArchiveMarkOf(QListWidgetItem *item, const QString &romSet)
{
    if (m_romFolder.status == RomFolderLook::Status::NotSet) {
        showArchiveMark(item, ArchiveState::Unknown, QString());
        return;
    }
    // Until the folder's archives are checked, they are being checked.
    const ArchiveKnowledge &known =
        m_archives.folder == m_romFolder.folder ? m_archives : ArchiveKnowledge{};
    showArchiveMark(item, known.state(romSet),
                    archiveStateText(known, m_romFolder.folder, romSet, LanguageTexts));
}

// The report follows the check it asks for; an archive that has not changed
// since its last reading is not read again.
void frmPrincipal::mnuCheckArchive_Click()
{
    const std::optional<QString> romSet = RomSetNames.at(currentOptions().game.position);
    if (!romSet)
        return;
    const QString archive = *romSet + romArchiveExtension.toString();
    switch (m_romFolder.status) {
    case RomFolderLook::Status::Listed:
        m_archiveReportWanted = *romSet;
        checkRomArchives();
        break;
    case RomFolderLook::Status::Unreadable:
        tellUser(LanguageTexts.text(textKey::romFolderUnreadable).arg(m_romFolder.folder, archive));
        break;
    case RomFolderLook::Status::NotSet:
        tellUser(LanguageTexts.text(textKey::archiveMissing).arg(archive, txtRomDir->text()));
        break;
    }
}

// Play never waits for a check: it warns from the last one, when that saw
// the archive as it is now.
void frmPrincipal::noteArchiveBeforePlay(const OptionSet &options)
{
    m_played = {};
    m_playWarning.clear();
    const std::optional<QString> romSet = RomSetNames.at(options.game.position);
    if (!romSet)
        return;
    const QFileInfo archive(archivePath(m_platform, options.romDirectory, *romSet));
    m_played = {*romSet,
                options.romDirectory,
                {archive.size(), archive.lastModified().toMSecsSinceEpoch()}};
    const auto reading = m_archives.readings.constFind(*romSet);
    if (m_archives.folder == options.romDirectory && reading != m_archives.readings.cend() &&
        reading->identity == m_played.identity)
        m_playWarning = archiveWarning(m_archives, options.romDirectory, *romSet, LanguageTexts)
                            .value_or(QString());
}

QString frmPrincipal::withArchiveWarning(const QString &log) const
{
    return m_playWarning.isEmpty() ? log : m_playWarning + QStringLiteral("\r\n") + log;
}

// The emulator's "missing rom file" is remembered for the archive it ran,
// until that archive changes; the check that follows keeps it on disk.
void frmPrincipal::learnFromRun()
{
    const QString line = m_run.lastLine();
    if (m_played.romSet.isEmpty() || !line.startsWith(missingRomLine) ||
        m_archives.folder != m_played.folder)
        return;
    m_archives.learned.insert(
        m_played.romSet,
        {m_played.identity, missingRomFileName(line, m_played.folder, m_played.romSet)});
    showRomMarks();
    checkRomArchives();
}

} // namespace rivonel
