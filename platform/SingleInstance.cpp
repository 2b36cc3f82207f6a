#include "platform/SingleInstance.h"

#include "core/system/SafeOpen.h"
#include "core/system/WholeFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>

namespace rivonel {

namespace {
const QString letterSuffix = QStringLiteral(".args");
constexpr qint64 largestLetter = 64 * 1024; // a command line, not a file
constexpr int pollMs = 1000;
} // namespace

QString SingleInstance::folderFor(const QString &optionsFile)
{
    // The same file reached through a link or another spelling is the same.
    const QFileInfo file(optionsFile);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString path = (folder.isEmpty() ? file.absolutePath() : folder) + u'/' + file.fileName();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime + QStringLiteral("/rivonel-") + QString::fromLatin1(hash);
}

SingleInstance::SingleInstance(QString folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder))
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &SingleInstance::collect);
    connect(&m_poll, &QTimer::timeout, this, &SingleInstance::collect);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::mailbox() const
{
    return m_folder + QStringLiteral("/inbox");
}

SingleInstance::Start SingleInstance::claimOrHandOver(const QStringList &arguments, int waitMs)
{
    if (!QDir().mkpath(mailbox()))
        return Start::Unchecked;
    m_lock = std::make_unique<QLockFile>(m_folder + QStringLiteral("/lock"));
    // Only a lock whose owner has gone is stale, however old it is.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Start::First;
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

void SingleInstance::listen()
{
    m_watcher.addPath(mailbox());
    m_poll.start(pollMs);
    collect(); // what came before the watch began
}

void SingleInstance::collect()
{
    const QStringList letters = QDir(mailbox()).entryList({QStringLiteral("*") + letterSuffix},
                                                          QDir::Files, QDir::Time | QDir::Reversed);
    for (const QString &name : letters) {
        const QString path = mailbox() + u'/' + name;
        QFile file;
        const bool opened = openRegularFile(path, file) == OpenResult::Opened;
        const QByteArray text = opened ? file.read(largestLetter) : QByteArray();
        file.close();
        // Taken, read or not: the sender waits for it to go.
        QFile::remove(path);
        const QJsonDocument document = QJsonDocument::fromJson(text);
        if (!document.isArray())
            continue;
        QStringList arguments;
        for (const QJsonValue &value : document.array())
            arguments << value.toString();
        Q_EMIT commandLineReceived(arguments);
    }
}

} // namespace rivonel
