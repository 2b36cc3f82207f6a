// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ZipArchiveCheck.h"

#include <zip.h>

#include <array>
#include <memory>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace rivonel {

namespace {

using Verdict = ArchiveReading::Verdict;
using Fault = ArchiveReading::Fault;

// A whole Zinc ROM set is well under 100 MiB once inflated.
constexpr zip_uint64_t largestEntry = zip_uint64_t{1} << 30;
constexpr zip_uint64_t largestArchive = zip_uint64_t{2} << 30;

Fault faultOf(int zipError)
{
    switch (zipError) {
    case ZIP_ER_CRC:
        return Fault::CrcMismatch;
    case ZIP_ER_EOF:
        return Fault::Truncated;
    default:
        return Fault::Unreadable;
    }
}

struct ArchiveCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t *entry) const { zip_fclose(entry); }
};

// libzip owns the handle it is given, so it gets a copy of the file's.
int copyOfHandle(const QFile &file)
{
#ifdef Q_OS_WIN
    return ::_dup(file.handle());
#else
    return ::dup(file.handle());
#endif
}

void closeHandle(int handle)
{
#ifdef Q_OS_WIN
    ::_close(handle);
#else
    ::close(handle);
#endif
}

// Why libzip found no archive: one that starts as a zip but has lost its
// end (an interrupted copy) is damaged, anything else no zip at all.
ArchiveReading withoutDirectory(QFile &opened)
{
    char start[4] = {};
    const bool zipStart = opened.seek(0) && opened.read(start, 4) == 4 &&
                          QByteArrayView(start, 4) == QByteArrayView("PK\x03\x04", 4);
    if (zipStart)
        return {Verdict::Damaged, Fault::Truncated, {}, {}, {}};
    return {Verdict::NotAZip, Fault::None, {}, {}, {}};
}

// Reads one entry to its end; Fault::None when it came back whole.
Fault readEntry(zip_t *archive, zip_uint64_t index, zip_uint64_t declared,
                const std::atomic_bool &cancelled)
{
    const std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive, index, 0));
    if (!entry)
        return faultOf(zip_error_code_zip(zip_get_error(archive)));
    std::array<char, 64 * 1024> buffer;
    zip_uint64_t total = 0;
    while (!cancelled) {
        const zip_int64_t got = zip_fread(entry.get(), buffer.data(), buffer.size());
        if (got < 0)
            return faultOf(zip_error_code_zip(zip_file_get_error(entry.get())));
        if (got == 0)
            break;
        total += static_cast<zip_uint64_t>(got);
        // More than it declares: inflating on would have no end in sight.
        if (total > declared)
            return Fault::TooLarge;
    }
    return total < declared && !cancelled ? Fault::Truncated : Fault::None;
}

} // namespace

ArchiveReading readZipArchive(QFile &opened, const std::atomic_bool &cancelled)
{
    if (opened.size() == 0)
        return {Verdict::NotAZip, Fault::None, {}, {}, {}};
    const int handle = copyOfHandle(opened);
    if (handle < 0)
        return {Verdict::Damaged, Fault::Unreadable, {}, {}, {}};
    int openError = ZIP_ER_OK;
    const std::unique_ptr<zip_t, ArchiveCloser> archive(zip_fdopen(handle, 0, &openError));
    if (!archive) {
        closeHandle(handle);
        if (openError == ZIP_ER_NOZIP)
            return withoutDirectory(opened);
        return {Verdict::Damaged, faultOf(openError), {}, {}, {}};
    }

    ArchiveReading reading{Verdict::Ready, Fault::None, {}, {}, {}};
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    zip_uint64_t declaredTotal = 0;
    for (zip_int64_t i = 0; i < count && !cancelled; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) ||
            !(stat.valid & ZIP_STAT_SIZE)) {
            reading.verdict = Verdict::Damaged;
            reading.fault = Fault::Unreadable;
            reading.badEntry = QStringLiteral("#%1").arg(i + 1);
            break;
        }
        const QString name = QString::fromUtf8(stat.name);
        declaredTotal += stat.size;
        const Fault fault = stat.size > largestEntry || declaredTotal > largestArchive
                                ? Fault::TooLarge
                                : readEntry(archive.get(), index, stat.size, cancelled);
        if (fault != Fault::None) {
            reading.verdict = Verdict::Damaged;
            reading.fault = fault;
            reading.badEntry = name;
            break;
        }
        reading.entries.append({name, static_cast<qint64>(stat.size), stat.crc});
    }
    return reading;
}

} // namespace rivonel
