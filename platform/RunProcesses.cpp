// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RunProcesses.h"

#include <QHash>

#ifdef Q_OS_LINUX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#endif

namespace rivonel {

QByteArray runMarkEntry(const QByteArray &mark)
{
    return QByteArrayLiteral("RIVONEL_RUN=") + mark;
}

#ifdef Q_OS_LINUX
namespace {

struct Entry {
    RunProcess process;
    qint64 group = 0;
    qint64 session = 0;
    bool member = false;
};

// Reads a small /proc file whole, up to limit bytes.
QByteArray readProcFile(int folder, const char *name, qsizetype limit)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray text;
    char buffer[4096];
    for (ssize_t got; text.size() < limit && (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, got);
    ::close(fd);
    return text;
}

// "pid (name) state parent group session …"; the name may hold anything.
bool parseStat(const QByteArray &stat, Entry &entry)
{
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 4 || fields[0].isEmpty())
        return false;
    bool ok[3] = {};
    entry.process.zombie = fields[0].at(0) == 'Z' || fields[0].at(0) == 'X';
    entry.process.parent = fields[1].toLongLong(&ok[0]);
    entry.group = fields[2].toLongLong(&ok[1]);
    entry.session = fields[3].toLongLong(&ok[2]);
    // The start time is the 22nd field, the 20th after the name.
    constexpr int startField = 19;
    if (fields.size() > startField)
        entry.process.started = fields[startField].toLongLong();
    return ok[0] && ok[1] && ok[2];
}

bool carriesMark(int folder, const QByteArray &entry)
{
    // An environment is rarely more than a few pages; a huge one is not read whole.
    constexpr qsizetype limit = 1024 * 1024;
    const QByteArray environment = readProcFile(folder, "environ", limit);
    return environment.startsWith(entry + '\0') || environment.contains('\0' + entry + '\0');
}

} // namespace

namespace {

// The process's stat entry, nothing once it is gone.
std::optional<Entry> statOf(qint64 pid)
{
    const int folder = ::open(QByteArray("/proc/" + QByteArray::number(pid)).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return std::nullopt;
    Entry entry;
    const bool parsed = parseStat(readProcFile(folder, "stat", 4096), entry);
    ::close(folder);
    return parsed ? std::optional(entry) : std::nullopt;
}

} // namespace

qint64 processStarted(qint64 pid)
{
    const std::optional<Entry> entry = statOf(pid);
    return entry ? entry->process.started : 0;
}

bool processRuns(qint64 pid, qint64 started)
{
    const std::optional<Entry> entry = statOf(pid);
    return entry && !entry->process.zombie && entry->process.started == started;
}

QList<RunProcess> runProcesses(qint64 session, const QByteArray &mark, const QSet<qint64> &known,
                               qint64 runStarted)
{
    const qint64 self = ::getpid();
    const QByteArray markEntry = runMarkEntry(mark);
    QList<Entry> entries;
    QHash<qint64, qsizetype> byPid;
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return {};
    while (const dirent *item = ::readdir(proc)) {
        char *end = nullptr;
        const long long pid = std::strtoll(item->d_name, &end, 10);
        if (pid <= 0 || *end != '\0' || pid == self)
            continue;
        const int folder =
            ::openat(::dirfd(proc), item->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder < 0)
            continue; // gone meanwhile
        Entry entry;
        entry.process.pid = pid;
        if (parseStat(readProcFile(folder, "stat", 4096), entry)) {
            struct stat owner {};
            // This program starts nothing but its runs: what came to it since
            // the run began was left by the run, however it detached.
            const bool inherited = entry.process.parent == self && runStarted > 0 &&
                                   entry.process.started >= runStarted;
            entry.member = (session > 1 && (entry.session == session || entry.group == session)) ||
                           known.contains(pid) || inherited;
            // Only our own processes can carry the mark; a zombie's environment is gone.
            if (!entry.member && !mark.isEmpty() && !entry.process.zombie &&
                ::fstat(folder, &owner) == 0 && owner.st_uid == ::geteuid())
                entry.member = carriesMark(folder, markEntry);
            byPid.insert(pid, entries.size());
            entries << entry;
        }
        ::close(folder);
    }
    ::closedir(proc);

    // Everything below a process of the run is of the run too.
    for (bool grew = true; grew;) {
        grew = false;
        for (Entry &entry : entries) {
            if (entry.member)
                continue;
            const auto parent = byPid.constFind(entry.process.parent);
            if (parent != byPid.cend() && entries[*parent].member)
                grew = entry.member = true;
        }
    }
    QList<RunProcess> members;
    for (const Entry &entry : entries)
        if (entry.member)
            members << entry.process;
    return members;
}
#else
QList<RunProcess> runProcesses(qint64, const QByteArray &, const QSet<qint64> &, qint64)
{
    return {};
}

qint64 processStarted(qint64)
{
    return 0;
}

bool processRuns(qint64, qint64)
{
    return false;
}
#endif

} // namespace rivonel
