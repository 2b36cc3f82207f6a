// SPDX-License-Identifier: GPL-3.0-or-later
// What work that depends on the user's data costs the window, measured
// through the window's own code:
//  - the ROM folder look in a folder of 100,000 files: one look alone, then
//    bursts of 1, 100 and 2,000 files created in it by another thread while
//    the window watches (wall and CPU time, and how many looks they cost);
//  - how long the process takes to end when the window closes mid-look;
//  - the time from a game's selection to its picture, for a 320x240 and a
//    6000x6000 JPEG, and the longest the event loop stalled meanwhile.
//
//   build/bench/background_bench [files]   (default 100000; needs no display)

#include "core/games/RomArchives.h"
#include "FakeDesktop.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

using namespace rivonel;
using rivonel::test::FakeDesktop;
using namespace Qt::StringLiterals;

namespace {

double cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

bool createFiles(const QString &folder, const QString &prefix, int count)
{
    for (int i = 0; i < count; ++i)
        if (!QFile(folder + u'/' + prefix + QString::number(i)).open(QIODevice::WriteOnly))
            return false;
    return true;
}

// Runs the event loop until the window's look has been idle for a while;
// answers when it last became idle.
qint64 settle(const frmPrincipal &window, const QElapsedTimer &clock, const bool &writerDone)
{
    qint64 idleSince = clock.elapsed();
    int jobs = window.gameList().romFolder().looks().jobsStarted();
    // Waits for events rather than spinning, so the CPU time is the look's.
    QTimer wake;
    wake.start(5);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (window.gameList().romFolder().looks().busy() || !writerDone ||
            window.gameList().romFolder().looks().jobsStarted() != jobs) {
            jobs = window.gameList().romFolder().looks().jobsStarted();
            idleSince = clock.elapsed();
        } else if (clock.elapsed() - idleSince > 500) {
            return idleSince;
        }
    }
}

void romFolderFigures(const QString &roms, int files)
{
    QTemporaryDir program;
    FakeDesktop desktop;
    const auto names = desktop.conventions().fileNames;

    QElapsedTimer clock;
    clock.start();
    double cpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    lookForRomArchives(roms, names);
    std::printf("ROM folder of %d files (milliseconds)       wall      CPU  looks\n", files);
    std::printf("%-40s %8.1f %8.1f %6d\n", "one look", clock.nsecsElapsed() / 1e6,
                cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu, 1);

    frmPrincipal window(desktop, ProgramLocations::portable(program.path(), desktop.conventions()));
    window.Form_Load();
    window.txtRomDir->setText(roms);
    bool started = true;
    settle(window, clock, started);

    for (const int burst : {1, 100, 2000}) {
        const int jobs = window.gameList().romFolder().looks().jobsStarted();
        bool writerDone = false;
        std::atomic_bool writerFinished = false;
        double writerCpu = 0;
        qint64 writerMs = 0;
        clock.restart();
        cpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        std::thread writer([&] {
            QElapsedTimer writing;
            writing.start();
            createFiles(roms, u"burst%1-"_s.arg(burst), burst);
            writerMs = writing.elapsed();
            writerCpu = cpuMs(CLOCK_THREAD_CPUTIME_ID);
            writerFinished = true;
        });
        // The writer's end is seen by the loop below, once joined.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!writerDone && writerFinished) {
                writer.join();
                writerDone = true;
            }
        });
        poll.start(1);
        const qint64 wall = settle(window, clock, writerDone);
        const double used = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu - writerCpu;
        std::printf("burst of %-5d files made in %5lld ms      %8lld %8.1f %6d\n", burst,
                    static_cast<long long>(writerMs), static_cast<long long>(wall), used,
                    window.gameList().romFolder().looks().jobsStarted() - jobs);
    }
    window.close();
}

// The child side of the exit figure: closes the window while a look is under way.
int closeMidLook(const QString &roms)
{
    QTemporaryDir program;
    FakeDesktop desktop;
    auto *window = new frmPrincipal(
        desktop, ProgramLocations::portable(program.path(), desktop.conventions()));
    window->Form_Load();
    window->txtRomDir->setText(roms);
    while (!window->gameList().romFolder().looks().busy())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    std::printf("closing\n");
    std::fflush(stdout);
    window->close();
    delete window;
    return 0;
}

void exitFigure(const QString &roms)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {u"--close-mid-look"_s, roms});
    while (!child.readAllStandardOutput().contains("closing"))
        if (!child.waitForReadyRead(60000))
            return;
    QElapsedTimer clock;
    clock.start();
    child.waitForFinished(600000);
    std::printf("%-40s %8.1f  (exit code %d)\n", "exit after closing mid-look",
                clock.nsecsElapsed() / 1e6, child.exitCode());
}

void pictureFigures()
{
    QTemporaryDir program;
    QDir().mkpath(program.filePath(u"snap"_s));
    QImage small(320, 240, QImage::Format_RGB32);
    small.fill(Qt::red);
    QImage big(6000, 6000, QImage::Format_RGB32);
    big.fill(Qt::blue);
    if (!small.save(program.filePath(u"snap/sfex.jpg"_s)) ||
        !big.save(program.filePath(u"snap/sfexp.jpg"_s), "JPG", 5))
        return;
    FakeDesktop desktop;
    frmPrincipal window(desktop, ProgramLocations::portable(program.path(), desktop.conventions()));
    window.Form_Load();
    window.show();

    std::printf("\nselection to picture, median of 5 (milliseconds)   time  longest stall\n");
    for (const auto &[name, position] : {std::pair{"320x240 JPEG", 0}, {"6000x6000 JPEG", 2}}) {
        QList<double> times;
        qint64 worstStall = 0;
        for (int run = 0; run < 5; ++run) {
            window.lstGames->setCurrentRow(4); // no picture
            QCoreApplication::processEvents();
            QElapsedTimer clock;
            clock.start();
            qint64 last = 0;
            QTimer tick;
            QObject::connect(&tick, &QTimer::timeout, [&] {
                worstStall = std::max(worstStall, clock.elapsed() - last);
                last = clock.elapsed();
            });
            tick.start(1);
            window.lstGames->setCurrentRow(position);
            const qint64 placeholder = window.Picture1->pixmap().cacheKey();
            while (window.Picture1->pixmap().cacheKey() == placeholder)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            times << clock.nsecsElapsed() / 1e6;
            worstStall = std::max(worstStall, clock.elapsed() - last);
        }
        std::sort(times.begin(), times.end());
        std::printf("%-44s %8.1f %8lld\n", name, times.at(2), static_cast<long long>(worstStall));
    }
    window.close();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--close-mid-look") == 0)
        return closeMidLook(QString::fromLocal8Bit(argv[2]));
    const int files = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;

    QTemporaryDir roms;
    QElapsedTimer made;
    made.start();
    if (!createFiles(roms.path(), u"file"_s, files))
        return 1;
    std::printf("(%d files made in %.1f s)\n", files, made.elapsed() / 1e3);
    romFolderFigures(roms.path(), files);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory so far: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    exitFigure(roms.path());
    pictureFigures();
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory of the whole run (the bench makes the 6000x6000 picture): %.1f "
                "MiB\n",
                usage.ru_maxrss / 1024.0);
    return 0;
}
