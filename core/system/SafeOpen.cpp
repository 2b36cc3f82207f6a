// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/SafeOpen.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace rivonel {

namespace {

OpenResult whyNotOpened(int error, const QString &path)
{
    if (error == ENOENT || error == ENOTDIR)
        return OpenResult::Missing;
    // Windows refuses to open a folder as a file; it is no file all the same.
    if (error == EACCES && QFileInfo(path).isDir())
        return OpenResult::NotAFile;
    return OpenResult::Unreadable;
}

} // namespace

OpenResult openRegularFile(const QString &path, QFile &file)
{
    file.close();
    file.setFileName(path);
    if (path.isEmpty())
        return OpenResult::Missing;
#ifdef Q_OS_WIN
    const int fd = ::_wopen(reinterpret_cast<const wchar_t *>(path.utf16()),
                            _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0)
        return whyNotOpened(errno, path);
    struct _stat64 status {};
    const bool regular = ::_fstat64(fd, &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFREG;
    const auto closeHandle = [fd] { ::_close(fd); };
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer, for ever.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return whyNotOpened(errno, path);
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const auto closeHandle = [fd] { ::close(fd); };
    // A regular file reads as it always does.
    if (regular)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#endif
    if (!regular) {
        closeHandle();
        return OpenResult::NotAFile;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        closeHandle();
        return OpenResult::Unreadable;
    }
    return OpenResult::Opened;
}

} // namespace rivonel
