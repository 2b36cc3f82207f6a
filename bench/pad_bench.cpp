// SPDX-License-Identifier: GPL-3.0-or-later
// What reading a game pad costs Rivonel's own process, in CPU time per
// second of wall time, measured through the window's own code with SDL's
// virtual game controller:
//  - the window idle, without a pad and then with one plugged in;
//  - a game running (the substitute emulator), without a pad and with one.
// Each pair is reported as a ratio, pad / no pad, from the same run.
//
//   build/bench/pad_bench [seconds]   (default 5 per case; needs no display)

#include "BenchSetup.h"
#include "core/run/GameRun.h"
#include "VirtualPad.h"
#include "window/PadDriver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <time.h>

#include <cstdio>
#include <cstdlib>

using namespace rivonel;

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// CPU milliseconds per second while the event loop runs for seconds.
double cpuPerSecond(int seconds)
{
    const double before = cpuMs();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(seconds * 1000);
    return (cpuMs() - before) * 1000.0 / static_cast<double>(wall.elapsed());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    // A run that outlasts the measures.
    qputenv("ZINC_SIM_RUN_MS", QByteArray::number((4 * seconds + 30) * 1000));

    QTemporaryDir dir;
    const auto [zinc, roms] = bench::prepareZincAndRoms(dir.path());
    test::FakeDesktop desktop;
    desktop.realLaunch = true;
    frmPrincipal window(desktop, ProgramLocations::portable(dir.path(), desktop.platform));
    bench::pointAtDemo(window, zinc, roms);
    window.show();
    QTest::qWait(500); // the start-up's own work done

    const double idle = cpuPerSecond(seconds);
    test::VirtualPad pad;
    pad.plug();
    QTest::qWait(1500); // found at the next look
    const bool found = window.pads().padsConnected() == 1;
    const double idlePad = cpuPerSecond(seconds);
    pad.unplug();
    QTest::qWait(1500);

    window.cmdPlay->click();
    QTest::qWait(1000);
    if (!window.run().watching()) {
        std::fprintf(stderr, "the game did not start\n");
        return 1;
    }
    const double running = cpuPerSecond(seconds);
    pad.plug();
    QTest::qWait(1500);
    const double runningPad = cpuPerSecond(seconds);
    const bool stillRunning = window.run().watching();
    pad.unplug();
    window.close();

    std::printf("game pad benchmark, %d s a case (CPU ms per second of Rivonel's process)\n",
                seconds);
    std::printf("%-32s %10s %10s %8s\n", "", "no pad", "one pad", "ratio");
    std::printf("%-32s %10.2f %10.2f %7.2fx\n", "window idle", idle, idlePad,
                idlePad / std::max(0.001, idle));
    std::printf("%-32s %10.2f %10.2f %7.2fx\n", "game running", running, runningPad,
                runningPad / std::max(0.001, running));
    std::printf("pad found: %s; the game ran through both: %s\n", found ? "yes" : "NO",
                stillRunning ? "yes" : "NO");
    return found && stillRunning ? 0 : 1;
}
