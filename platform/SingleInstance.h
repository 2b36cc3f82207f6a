// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace rivonel {

// One Rivonel per options file. The first start holds a lock beside a
// mailbox; a later start with the same options file leaves its command line
// in the mailbox, waits for the first to take it, and ends. A lock left by a
// killed Rivonel is taken over. Both live in the user's runtime folder (in
// the user's state folder where there is none), under a name that follows
// the options file's full path, so copies with options of their own run side
// by side. A folder anyone but the user could write to is not trusted.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The folder of the lock and the mailbox for one options file.
    static QString folderFor(const QString &optionsFile);

    explicit SingleInstance(QString folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Start {
        First,      // this start holds the lock
        HandedOver, // the running copy took the command line
        NoAnswer,   // a copy holds the lock but took nothing within the wait
        Unchecked,  // the lock could not be had or tested: run unguarded
        NotPrivate, // the folder is a link, another user's or open to others: run unguarded
    };
    Start claimOrHandOver(const QStringList &arguments, int waitMs = 5000);

    // After First: tells of each command line a later start leaves, a few
    // dozen at most in one go; what comes on top is dropped unread.
    void listen();
    // Beside the lock, while this start holds it: where a run keeps its record.
    QString runRecord() const;

Q_SIGNALS:
    void commandLineReceived(const QStringList &arguments);
    // Once a flood has passed: how many command lines it dropped.
    void lettersDropped(int count);

private:
    QString mailbox() const;
    QString holderFile() const;
    bool takeLock();
    bool holderGone() const;
    void recordHolder() const;
    void collect();
    void look();

    const QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QFileSystemWatcher m_watcher;
    QTimer m_poll; // where the watcher has nothing to watch with
    QTimer m_next; // a look asked for too soon after the last
    QElapsedTimer m_lastLook;
    int m_obeyedInBurst = 0;
    int m_droppedUntold = 0;
    // Letters that were taken but could not be deleted, so that none is
    // obeyed twice: name, and the size and time it had.
    struct Taken {
        qint64 size = 0;
        QDateTime modified;
    };
    QHash<QString, Taken> m_taken;
};

} // namespace rivonel
