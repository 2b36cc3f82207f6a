// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace rivonel {

namespace {

// A copy being written is named after the file, this mark and six random
// letters or digits: a name no user gives a file, so that what a write cut
// short can be told from a user's own "rivonel.ini.backup".
const QString unfinishedMark = QStringLiteral(".rivonel-unfinished-");
constexpr int randomLength = 6;

QString randomSuffix()
{
    static constexpr char16_t symbols[] =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < randomLength; ++i)
        suffix += QChar(symbols[QRandomGenerator::global()->bounded(62)]);
    return suffix;
}

std::filesystem::path nativePath(const QString &path)
{
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t *>(utf8.constData()), utf8.size()));
}

// On the disk itself, not in a cache, before the copy takes the file's name.
bool flushToDisk(QFile &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// The file a link leads to is the one replaced, and the link stays.
QString followedLinks(const QString &path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.isSymLink() ? path : file.filePath();
}

} // namespace

bool writeFileAnew(const QString &path, const QByteArray &bytes)
{
    const QString target = followedLinks(path);
    const QFileInfo old(target);
    // Only an ordinary file is replaced: a device or a pipe at the name (or
    // at the end of its link) is no file of ours to swap for one.
    if (old.exists() && (!old.isFile() || !old.isWritable()))
        return false;
    // The new file keeps the old one's mode (not this user's rights, which
    // would be set as the owner's); a new one gets the usual.
    const QFile::Permissions permissions =
        old.exists() ? old.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)
                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                           QFile::ReadOther | QFile::WriteOther;

    // What an earlier write of this file left when it was cut short goes
    // now: every file written here is cleaned the same way.
    removeUnfinishedWrites(target);
    QFile copy;
    bool created = false;
    for (int attempt = 0; attempt < 16 && !created; ++attempt) {
        copy.setFileName(target + unfinishedMark + randomSuffix());
        // Unbuffered, so a write that fails (a full disk) is seen at once.
        created = copy.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered,
                            permissions);
    }
    if (!created)
        return false;
    const bool written = copy.write(bytes) == bytes.size() && flushToDisk(copy) &&
                         (!old.exists() || copy.setPermissions(permissions));
    copy.close();
    std::error_code renamed;
    if (written)
        std::filesystem::rename(nativePath(copy.fileName()), nativePath(target), renamed);
    if (!written || renamed) {
        copy.remove();
        return false;
    }
    return true;
}

void removeUnfinishedWrites(const QString &path)
{
    const QFileInfo file(followedLinks(path));
    const QString prefix = file.fileName() + unfinishedMark;
    // Matched by hand: this runs on worker threads too, where a regular
    // expression's per-thread state hangs a static MinGW program at its exit.
    const auto isCopy = [&prefix](const QString &name) {
        if (name.size() != prefix.size() + randomLength || !name.startsWith(prefix))
            return false;
        return std::all_of(name.cbegin() + prefix.size(), name.cend(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        });
    };
    // No name filter either: QDir makes one a regular expression.
    QDir folder = file.dir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
        if (isCopy(name))
            folder.remove(name);
}

} // namespace rivonel
