// SPDX-License-Identifier: GPL-3.0-or-later
// What a flood of emulator output costs the window: the substitute emulator
// prints a large amount of output before its final line, through the real
// shell, while the window watches its log. Reports the program's peak memory
// against its idle memory (measured in the same run, before the launch), and
// the window thread's processor time per MiB of output.
//
//   build/bench/output_bench [MiB]      (default 300; Linux; needs no display)

#include "BenchSetup.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace rivonel;

namespace {

// A line of /proc/self/status, in KiB.
long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    return -1;
}

double threadSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int mib = argc > 1 ? std::max(1, atoi(argv[1])) : 300;

    QTemporaryDir dir;
    const auto [zinc, roms] = bench::prepareZincAndRoms(dir.path());
    test::FakeDesktop desktop;
    desktop.realLaunch = true;
    frmPrincipal window(desktop, ProgramLocations::portable(dir.path(), desktop.conventions()));
    bench::pointAtDemo(window, zinc, roms);
    qputenv("ZINC_SIM_RUN_MS", "0");
    qputenv("ZINC_SIM_OUTPUT_MB", QByteArray::number(mib));

    // The peak so far is forgotten, so what follows is the run's alone.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const long idle = statusKiB("VmRSS:");
    const double cpuBefore = threadSeconds();
    QElapsedTimer wall;
    wall.start();
    window.cmdPlay->click();
    while (window.run().watching() && wall.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double cpu = threadSeconds() - cpuBefore;
    const long peak = statusKiB("VmHWM:");
    if (window.run().watching()) {
        std::fprintf(stderr, "the run did not end\n");
        return 1;
    }
    std::printf("%d MiB of emulator output, watched to its end in %.1f s\n", mib,
                wall.elapsed() / 1000.0);
    std::printf("idle memory %.1f MiB, peak during the run %.1f MiB: %.1f MiB more (%.2fx)\n",
                idle / 1024.0, peak / 1024.0, (peak - idle) / 1024.0, double(peak) / idle);
    std::printf("window thread: %.2f s of processor time, %.2f ms per MiB of output\n", cpu,
                cpu * 1000 / mib);
    return 0;
}
