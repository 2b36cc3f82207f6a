// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include "core/system/ProgramLocations.h"
#include "core/system/SafeOpen.h"
#include "core/system/WholeFile.h"
#include "platform/RunProcesses.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <optional>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rivonel {

namespace {
const QString letterSuffix = QStringLiteral(".args");
constexpr qint64 largestLetter = 64 * 1024; // a command line, not a file
constexpr int pollMs = 1000;
// However many letters come, a look costs little and comes seldom enough
// for the window to stay with the user.
constexpr int lookGapMs = 250;
// Command lines obeyed in a row before the rest are dropped, until the
// mailbox is seen with nothing new in it.
constexpr int lettersPerBurst = 20;
constexpr int entriesPerLook = 1000;
constexpr int takenLimit = 1000;

QString guardParent()
{
#ifdef Q_OS_WIN
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
#else
    // Qt's own stand-in for a missing runtime folder lies in /tmp, where
    // anyone may make it first; the user's state folder is the user's.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return QDir::isAbsolutePath(runtime) ? runtime : UserFolders::fromEnvironment().state;
#endif
}

#ifdef Q_OS_UNIX
enum class FolderCheck { Private, NotPrivate, Unusable };

// Made the user's alone where it is missing; one that is there is judged.
FolderCheck privateFolder(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return FolderCheck::Unusable;
    // What was opened is judged, and a link is never followed.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        struct stat link {};
        return ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode)
                   ? FolderCheck::NotPrivate
                   : FolderCheck::Unusable;
    }
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    ::close(fd);
    if (!known || !S_ISDIR(status.st_mode))
        return FolderCheck::Unusable;
    return status.st_uid == ::getuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0
               ? FolderCheck::Private
               : FolderCheck::NotPrivate;
}
#endif

// The folders of the lock and the mailbox, made where missing; none when
// they can be used.
std::optional<SingleInstance::Start> unusable([[maybe_unused]] const QString &folder,
                                              const QString &mailbox)
{
#ifdef Q_OS_UNIX
    if (!QDir().mkpath(QFileInfo(folder).path()))
        return SingleInstance::Start::Unchecked;
    for (const QString &path : {folder, mailbox})
        switch (privateFolder(path)) {
        case FolderCheck::Private:
            break;
        case FolderCheck::NotPrivate:
            return SingleInstance::Start::NotPrivate;
        case FolderCheck::Unusable:
            return SingleInstance::Start::Unchecked;
        }
    return std::nullopt;
#else
    if (!QDir().mkpath(mailbox))
        return SingleInstance::Start::Unchecked;
    return std::nullopt;
#endif
}

} // namespace

QString SingleInstance::folderFor(const QString &optionsFile)
{
    // The same file reached through a link or another spelling is the same.
    const QFileInfo file(optionsFile);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString path = (folder.isEmpty() ? file.absolutePath() : folder) + u'/' + file.fileName();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return guardParent() + QStringLiteral("/rivonel-") + QString::fromLatin1(hash);
}

SingleInstance::SingleInstance(QString folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder))
{
    m_next.setSingleShot(true);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &SingleInstance::collect);
    connect(&m_poll, &QTimer::timeout, this, &SingleInstance::collect);
    connect(&m_next, &QTimer::timeout, this, &SingleInstance::collect);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::mailbox() const
{
    return m_folder + QStringLiteral("/inbox");
}

SingleInstance::Start SingleInstance::claimOrHandOver(const QStringList &arguments, int waitMs)
{
    if (const std::optional<Start> refused = unusable(m_folder, mailbox()))
        return *refused;
    m_lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/lock"));
    // Only a lock whose owner has gone is stale, however old it is.
    m_lock->setStaleLockTime(0);
    if (takeLock()) {
        recordHolder();
        return Start::First;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return Start::Unchecked;
    m_lock.reset();

    // Written whole under a name of its own, so the first copy never reads half of it.
    const QString letter = mailbox() +
                           QStringLiteral("/%1-%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QRandomGenerator::global()->generate()) +
                           letterSuffix;
    const QByteArray text =
        QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact);
    if (!writeFileAnew(letter, text))
        return Start::Unchecked;
    const QDeadlineTimer deadline(waitMs);
    while (QFileInfo::exists(letter)) {
        if (deadline.hasExpired()) {
            QFile::remove(letter);
            return Start::NoAnswer;
        }
        QThread::msleep(20);
    }
    return Start::HandedOver;
}

QString SingleInstance::runRecord() const
{
    return m_lock && m_lock->isLocked() ? m_folder + QStringLiteral("/run") : QString();
}

QString SingleInstance::holderFile() const
{
    return m_folder + QStringLiteral("/holder");
}

bool SingleInstance::takeLock()
{
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() != QLockFile::LockFailedError || !holderGone())
        return false;
    // Qt takes this same lock to remove a stale one: two starts never both
    // take over, and the removal fails while anyone still holds the lock.
    QLockFile removal(m_lock->fileName() + QStringLiteral(".rmlock"));
    return removal.tryLock(0) && holderGone() && m_lock->removeStaleLockFile() &&
           m_lock->tryLock(0);
}

// QLockFile knows a holder by its process number and name only, which a
// later process may share; the holder's start time tells them apart.
bool SingleInstance::holderGone() const
{
#ifdef Q_OS_LINUX
    qint64 pid = 0;
    QString host, application;
    if (!m_lock->getLockInfo(&pid, &host, &application) ||
        (!host.isEmpty() && host != QSysInfo::machineHostName()))
        return false;
    QFile file;
    if (openRegularFile(holderFile(), file) != OpenResult::Opened)
        return false;
    const QList<QByteArray> fields = file.read(64).trimmed().split(' ');
    bool known = false;
    const qint64 started = fields.size() == 2 ? fields[1].toLongLong(&known) : 0;
    // A holder that has yet to say who it is is taken at its word.
    if (!known || fields[0].toLongLong() != pid)
        return false;
    return processStarted(pid) != started;
#else
    return false;
#endif
}

void SingleInstance::recordHolder() const
{
#ifdef Q_OS_LINUX
    const qint64 pid = QCoreApplication::applicationPid();
    writeFileAnew(holderFile(),
                  QByteArray::number(pid) + ' ' + QByteArray::number(processStarted(pid)) + '\n');
#endif
}

void SingleInstance::listen()
{
    m_watcher.addPath(mailbox());
    m_poll.start(pollMs);
    collect(); // what came before the watch began
}

void SingleInstance::collect()
{
    const qint64 since = m_lastLook.isValid() ? m_lastLook.elapsed() : lookGapMs;
    if (since < lookGapMs) {
        if (!m_next.isActive())
            m_next.start(static_cast<int>(lookGapMs - since));
        return;
    }
    m_next.stop();
    look();
}

void SingleInstance::look()
{
    m_lastLook.start();
    QList<QFileInfo> chosen;
    QHash<QString, Taken> kept; // what is known of the letters still there
    int dropped = 0;
    bool anythingNew = false;
    bool whole = true;
    const auto remember = [&](const QFileInfo &letter) {
        if (m_taken.size() < takenLimit) {
            m_taken.insert(letter.fileName(), {letter.size(), letter.lastModified()});
            kept.insert(letter.fileName(), m_taken.value(letter.fileName()));
        }
    };
    // Every entry counts towards the look's bound, whatever it is.
    QDirIterator entries(mailbox(),
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (int seen = 0; entries.hasNext(); ++seen) {
        if (seen == entriesPerLook) {
            whole = false;
            break;
        }
        entries.next();
        const QFileInfo letter = entries.fileInfo();
        if (!letter.fileName().endsWith(letterSuffix) || !letter.isFile())
            continue;
        const auto taken = m_taken.constFind(letter.fileName());
        if (taken != m_taken.cend() && taken->size == letter.size() &&
            taken->modified == letter.lastModified()) {
            kept.insert(taken.key(), *taken);
            continue;
        }
        anythingNew = true;
        // Only what can be kept in mind is obeyed: none is obeyed twice.
        if (m_obeyedInBurst < lettersPerBurst && m_taken.size() + chosen.size() < takenLimit) {
            ++m_obeyedInBurst;
            chosen << letter;
        } else {
            ++dropped;
            if (!QFile::remove(letter.filePath()))
                remember(letter);
        }
    }
    std::sort(chosen.begin(), chosen.end(), [](const QFileInfo &a, const QFileInfo &b) {
        return std::pair(a.lastModified(), a.fileName()) <
               std::pair(b.lastModified(), b.fileName());
    });
    // All is read and settled before anyone is told, so that a handler that
    // waits in an event loop finds the mailbox as this look left it.
    QList<QStringList> commandLines;
    for (const QFileInfo &letter : std::as_const(chosen)) {
        QFile file;
        const bool opened = openRegularFile(letter.filePath(), file) == OpenResult::Opened;
        const QByteArray text = opened ? file.read(largestLetter) : QByteArray();
        file.close();
        // Taken, read or not: the sender waits for it to go.
        if (!QFile::remove(letter.filePath()))
            remember(letter);
        const QJsonDocument document = QJsonDocument::fromJson(text);
        if (!document.isArray())
            continue;
        QStringList arguments;
        for (const QJsonValue &value : document.array())
            arguments << value.toString();
        commandLines << arguments;
    }
    if (whole)
        m_taken = kept; // what has gone is forgotten
    else
        m_next.start(lookGapMs); // the rest of the flood, soon
    m_droppedUntold += dropped;
    const int untold = anythingNew ? 0 : std::exchange(m_droppedUntold, 0);
    if (!anythingNew)
        m_obeyedInBurst = 0; // the burst is over
    for (const QStringList &arguments : std::as_const(commandLines))
        Q_EMIT commandLineReceived(arguments);
    if (untold > 0)
        Q_EMIT lettersDropped(untold);
}

} // namespace rivonel
