// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/RomFolderWatch.h"

#include "core/games/ArchiveReport.h"
#include "core/games/GameTable.h"
#include "core/options/OptionSet.h"
#include "core/run/GameRun.h"
#include "core/system/SafeOpen.h"
#include "core/system/WholeFile.h"
#include "platform/ZipArchiveCheck.h"

#include <QDir>
#include <QFileInfo>

namespace rivonel {

namespace {

constexpr int lookDelayMs = 250;

// Writes the knowledge when it differs from the file's, on the check's own
// thread: a replacement waits for the disk, which the window must not. A
// file that cannot be written costs the next start a reading of each
// archive, nothing more.
void keepKnowledge(const QString &path, const QByteArray &bytes)
{
    QFile kept;
    if (openRegularFile(path, kept) == OpenResult::Opened && kept.size() == bytes.size() &&
        kept.readAll() == bytes)
        return;
    kept.close();
    if (QDir().mkpath(QFileInfo(path).path()))
        writeFileAnew(path, bytes);
}

} // namespace

RomFolderWatch::RomFolderWatch(PlatformConventions platform, QString knowledgeFile,
                               const LanguageTextTable &texts, QObject *parent)
    : QObject(parent), m_platform(std::move(platform)), m_knowledgeFile(std::move(knowledgeFile)),
      m_texts(texts)
{
    m_lookDelay.setSingleShot(true);
    m_lookDelay.setInterval(lookDelayMs);
    m_looks.setJob(
        [names = m_platform.fileNames](const QString &folder, const std::atomic_bool &cancelled) {
            return lookForRomArchives(folder, names, &cancelled);
        },
        [this](const QString &, RomFolderLook look) { looked(std::move(look)); });
    m_checks.setJob(
        [platform = m_platform, romSets = allRomSets(),
         file = m_knowledgeFile](const CheckRequest &request, const std::atomic_bool &cancelled) {
            ArchiveKnowledge checked = checkArchives(request.known, platform, request.folder,
                                                     romSets, readZipArchive, cancelled);
            if (!cancelled)
                keepKnowledge(file, checked.toBytes());
            return checked;
        },
        [this](const CheckRequest &, ArchiveKnowledge known) { checked(std::move(known)); });
    connectSignals();
}

void RomFolderWatch::connectSignals()
{
    connect(&m_lookDelay, &QTimer::timeout, this, [this] { lookNow(m_folder); });
    // What is put into the folder comes in bursts (a copy of many archives):
    // the first change starts the delay and the rest ride on it, so a burst
    // costs one look and a long copy a look now and then. A copy over an
    // archive changes the archive, not always its folder.
    connect(&m_watch, &QFileSystemWatcher::directoryChanged, this, &RomFolderWatch::lookSoon);
    connect(&m_watch, &QFileSystemWatcher::fileChanged, this, &RomFolderWatch::lookSoon);
}

void RomFolderWatch::lookSoon()
{
    if (!m_lookDelay.isActive())
        m_lookDelay.start();
}

void RomFolderWatch::readKnowledge()
{
    m_known = readArchiveKnowledge(m_knowledgeFile);
}

void RomFolderWatch::setFolder(const QString &folder)
{
    m_folder = folder;
    m_lookDelay.start();
}

void RomFolderWatch::lookNow(const QString &folder)
{
    m_folder = folder;
    m_lookDelay.stop();
    if (const QStringList watched = m_watch.directories(); watched != QStringList{folder}) {
        if (!watched.isEmpty())
            m_watch.removePaths(watched);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            m_watch.addPath(folder);
    }
    m_looks.request(folder);
}

void RomFolderWatch::looked(RomFolderLook look)
{
    m_look = std::move(look);
    Q_EMIT changed();
    check();
}

// Checks the archives of the folder last looked at; the archives it holds
// are watched, so that a copy over one checks it again.
void RomFolderWatch::check()
{
    if (m_look.status != RomFolderLook::Status::Listed)
        return;
    QStringList archives;
    for (int position = 0; position < gameCount; ++position)
        if (m_look.present[static_cast<std::size_t>(position)])
            archives << archivePath(
                m_platform, m_look.folder,
                gameTable()[static_cast<std::size_t>(position)].romSet.toString());
    archives.removeDuplicates();
    if (const QStringList watched = m_watch.files(); watched != archives) {
        if (!watched.isEmpty())
            m_watch.removePaths(watched);
        if (!archives.isEmpty())
            m_watch.addPaths(archives);
    }
    m_checks.request({m_look.folder, m_known});
}

void RomFolderWatch::checked(ArchiveKnowledge checked)
{
    // A check of a folder the list no longer shows is of no use.
    if (checked.folder != m_look.folder)
        return;
    m_known = withLessons(std::move(checked), m_known);
    Q_EMIT changed();
    if (const QString romSet = std::exchange(m_reportWanted, QString()); !romSet.isEmpty())
        Q_EMIT told(
            [known = m_known, platform = m_platform, romSet](const LanguageTextTable &texts) {
                return archiveReport(known, platform, known.folder, romSet, texts);
            });
}

// The report follows the check it asks for; an archive that has not changed
// since its last reading is not read again.
void RomFolderWatch::reportOn(const QString &romSet, const QString &typedFolder)
{
    if (m_look.status == RomFolderLook::Status::Listed) {
        m_reportWanted = romSet;
        check();
        return;
    }
    const bool unreadable = m_look.status == RomFolderLook::Status::Unreadable;
    Q_EMIT told([unreadable, folder = unreadable ? m_look.folder : typedFolder,
                 romSet](const LanguageTextTable &texts) {
        return archiveAbsentText(unreadable, folder, romSet, texts);
    });
}

Wording RomFolderWatch::beforePlay(const OptionSet &options, const std::optional<QString> &romSet)
{
    m_played = romSet ? playedArchive(m_platform, options.romDirectory, *romSet) : PlayedArchive{};
    if (!playWarning(m_known, m_played, m_texts))
        return {};
    // What the check knew then, worded in the language of each showing.
    return [known = m_known, played = m_played](const LanguageTextTable &texts) {
        return playWarning(known, played, texts).value_or(QString());
    };
}

// The check that follows keeps the lesson on disk.
void RomFolderWatch::learnFrom(const RunOutcome &outcome)
{
    if (!learnFromRun(m_known, m_played, outcome.lastLine))
        return;
    Q_EMIT changed();
    check();
}

} // namespace rivonel
