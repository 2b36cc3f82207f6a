// SPDX-License-Identifier: GPL-3.0-or-later
// What checking the ROM archives costs, against `unzip -t` over the same files
// in the same run:
//  - 26 archives of 10 to 60 MiB, every other one deflated, made once in the
//    folder given (kept for the next run);
//  - the core's check of all of them, in a process of its own (wall and CPU
//    time, peak memory), best of two, and the same for one 10 MiB archive, to
//    show the memory does not follow the archives' sizes;
//  - `unzip -tqq` over each of them, best of two;
//  - the window checking the folder: the longest the event loop stalled
//    meanwhile, and a second check of the unchanged folder (nothing read).
//
//   build/bench/archive_bench <folder>   (needs unzip; no display)

#include "core/games/ArchiveChecks.h"
#include "core/games/GameTable.h"
#include "FakeDesktop.h"
#include "platform/ZipArchiveCheck.h"
#include "window/frmPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <zip.h>

#include <time.h>

#include <algorithm>
#include <cstdio>

using namespace rivonel;
using rivonel::test::FakeDesktop;
using namespace Qt::StringLiterals;

namespace {

constexpr int archiveCount = 26;
constexpr qint64 mebibyte = 1 << 20;

// The archives' ROM sets: the games' own, then made-up ones up to 26.
QStringList archiveNames()
{
    QStringList names;
    for (const GameEntry &game : gameTable())
        if (!names.contains(game.romSet))
            names << game.romSet.toString();
    for (int extra = 1; names.size() < archiveCount; ++extra)
        names << u"extra%1"_s.arg(extra);
    return names;
}

// Data that deflates to about half, as ROM dumps often do: random runs
// between repeated ones.
QByteArray romLikeData(qint64 size, quint64 salt)
{
    QByteArray data(size, Qt::Uninitialized);
    quint64 state = salt * 0x9E3779B97F4A7C15ULL + 1;
    for (qint64 at = 0; at < size; ++at) {
        if ((at / 512) % 2 == 0) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            data[at] = static_cast<char>(state);
        } else {
            data[at] = static_cast<char>(at / 4096);
        }
    }
    return data;
}

// Archive i takes 10 to 60 MiB, in files of at most 8 MiB; a deflated one
// holds twice that.
bool makeArchive(const QString &path, int i)
{
    const bool deflated = i % 2 == 1;
    const qint64 total = (10 + 50 * i / (archiveCount - 1)) * mebibyte * (deflated ? 2 : 1);
    int error = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    QList<QByteArray> kept; // libzip reads the buffers when it closes the archive
    for (qint64 done = 0, part = 0; done < total; ++part) {
        const qint64 size = std::min(total - done, 8 * mebibyte);
        kept << romLikeData(size, static_cast<quint64>(i * 100 + part));
        zip_source_t *source =
            zip_source_buffer(archive, kept.last().constData(), static_cast<zip_uint64_t>(size), 0);
        const QByteArray name = "rom" + QByteArray::number(part) + ".bin";
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, 0);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 deflated ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
        done += size;
    }
    return zip_close(archive) == 0;
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The process's own peak resident memory: getrusage's would keep the parent's
// across the child's exec.
long peakKib()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// The child: checks the named archives and prints wall ms, CPU ms, peak KiB
// and how many came out ready.
int checkChild(const QString &folder, const QStringList &names)
{
    QElapsedTimer clock;
    clock.start();
    const double cpu = cpuMs();
    const std::atomic_bool running = false;
    const ArchiveKnowledge known =
        checkArchives({}, PlatformConventions::native(), folder, names, readZipArchive, running);
    int ready = 0;
    for (const QString &name : names)
        ready += known.state(name) == ArchiveState::Ready;
    std::printf("%lld %.0f %ld %d\n", static_cast<long long>(clock.elapsed()), cpuMs() - cpu,
                peakKib(), ready);
    return 0;
}

struct ChildFigures {
    double wall = 1e12, cpu = 0;
    long peakKib = 0;
    int ready = 0;
};

ChildFigures runCheckChild(const QString &folder, const QStringList &names)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), QStringList{u"--check"_s, folder} + names);
    child.waitForFinished(-1);
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 4)
        return {};
    return {fields[0].toDouble(), fields[1].toDouble(), fields[2].toLong(), fields[3].toInt()};
}

double unzipAll(const QString &folder, const QStringList &names, int *passed)
{
    QElapsedTimer clock;
    clock.start();
    *passed = 0;
    for (const QString &name : names) {
        QProcess unzip;
        unzip.start(u"unzip"_s, {u"-tqq"_s, folder + u'/' + name + u".zip"_s});
        unzip.waitForFinished(-1);
        *passed += unzip.exitStatus() == QProcess::NormalExit && unzip.exitCode() == 0;
    }
    return static_cast<double>(clock.elapsed());
}

// Runs the event loop until done() holds, and answers the longest stall.
template <class Done> qint64 longestStall(Done done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(1);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return worst;
}

void windowFigures(const QString &folder)
{
    QTemporaryDir program;
    FakeDesktop desktop;
    frmPrincipal window(desktop, ProgramLocations::portable(program.path(), desktop.conventions()));
    window.Form_Load();
    QElapsedTimer clock;
    clock.start();
    window.txtRomDir->setText(folder);
    const auto checked = [&window, &folder](int jobs) {
        return [&window, &folder, jobs] {
            return window.gameList().romFolder().checks().jobsStarted() >= jobs &&
                   !window.gameList().romFolder().checks().busy() &&
                   window.gameList().romFolder().knowledge().folder == folder;
        };
    };
    qint64 stall = longestStall(checked(1));
    std::printf("%-44s %8lld ms, longest event-loop stall %lld ms\n",
                "window: first check of the folder", static_cast<long long>(clock.elapsed()),
                static_cast<long long>(stall));
    window.lstGames->setCurrentRow(0);
    const int jobs = window.gameList().romFolder().checks().jobsStarted();
    clock.restart();
    window.mnuCheckArchive->trigger();
    stall = longestStall(checked(jobs + 1));
    std::printf("%-44s %8lld ms, longest event-loop stall %lld ms\n",
                "window: check again, nothing changed", static_cast<long long>(clock.elapsed()),
                static_cast<long long>(stall));
    window.close();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--check") == 0) {
        QCoreApplication app(argc, argv);
        return checkChild(QString::fromLocal8Bit(argv[2]), app.arguments().mid(3));
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: archive_bench <folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QStringList names = archiveNames();
    QDir().mkpath(folder);
    qint64 onDisk = 0;
    for (int i = 0; i < names.size(); ++i) {
        const QString path = folder + u'/' + names[i] + u".zip"_s;
        if (!QFileInfo::exists(path) && !makeArchive(path, i)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
            return 1;
        }
        onDisk += QFileInfo(path).size();
    }
    std::printf("%d archives of 10 to 60 MiB, %lld MiB in all\n\n", archiveCount,
                static_cast<long long>(onDisk / mebibyte));

    ChildFigures all, one;
    double unzipMs = 1e12;
    int unzipPassed = 0;
    for (int round = 0; round < 2; ++round) {
        const ChildFigures figures = runCheckChild(folder, names);
        if (figures.wall < all.wall)
            all = figures;
        unzipMs = std::min(unzipMs, unzipAll(folder, names, &unzipPassed));
        const ChildFigures small = runCheckChild(folder, {names.first()});
        if (small.wall < one.wall)
            one = small;
    }
    std::printf("%-44s %8s %8s %10s %6s\n", "best of two", "wall ms", "CPU ms", "peak MiB",
                "ready");
    std::printf("%-44s %8.0f %8.0f %10.1f %6d\n", "Rivonel: all 26 archives", all.wall, all.cpu,
                all.peakKib / 1024.0, all.ready);
    std::printf("%-44s %8.0f %8.0f %10.1f %6d\n", "Rivonel: the 10 MiB archive alone", one.wall,
                one.cpu, one.peakKib / 1024.0, one.ready);
    std::printf("%-44s %8.0f %8s %10s %6d\n", "unzip -tqq: all 26 archives", unzipMs, "-", "-",
                unzipPassed);
    std::printf("Rivonel / unzip wall time: %.2f\n\n", all.wall / unzipMs);
    windowFigures(folder);
    return 0;
}
