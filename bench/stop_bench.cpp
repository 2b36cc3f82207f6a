// SPDX-License-Identifier: GPL-3.0-or-later
// How long Stop takes to end a run, from the press to the report that the
// run is over, through the real shell: for an emulator that honours the
// polite request, for one that ignores it, and for one that also leaves a
// daemon behind in a session of its own. The baseline is the grace period
// the launcher gives before it forces: an emulator that ignores the request
// cannot end sooner, and should not end much later.
//
//   build/bench/stop_bench [runs]      (default 5)

#include "platform/ProcessLauncher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace rivonel;

namespace {

// Starts the script, waits until what it starts runs, stops it and returns
// the milliseconds until the launcher says the run is over (-1: never).
double timeStop(ProcessLauncher &launcher, const QString &script, const QString &folder)
{
    QEventLoop loop;
    bool over = false;
    if (!launcher.start(script, folder, [&] {
            over = true;
            loop.quit();
        }))
        return -1;
    const QString ready = folder + QStringLiteral("/ready");
    QElapsedTimer wait;
    wait.start();
    while (!QFile::exists(ready) && wait.elapsed() < 5000)
        loop.processEvents(QEventLoop::AllEvents, 10);
    QFile::remove(ready);
    QElapsedTimer clock;
    clock.start();
    launcher.stop();
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!over)
        loop.exec();
    return over ? clock.nsecsElapsed() / 1e6 : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QTemporaryDir folder;
    ProcessLauncher launcher(PlatformConventions::native());
    const struct {
        const char *name;
        const char *script;
    } emulators[] = {
        {"honours the request", "touch ready; exec sleep 60\n"},
        {"ignores it", "trap '' TERM; touch ready; exec sleep 60\n"},
        {"ignores it, daemon left",
         "trap '' TERM; setsid sh -c 'sleep 60 & exit' ; touch ready; exec sleep 60\n"},
    };
    const double grace = ProcessLauncher::defaultGraceMs;
    std::printf("Stop, from the press to the end of the run (%d runs each; grace %.0f ms)\n",
                runs, grace);
    for (const auto &emulator : emulators) {
        const QString script = folder.filePath(QStringLiteral("run.sh"));
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly) || file.write(emulator.script) < 0)
            return 1;
        file.close();
        QList<double> times;
        for (int run = 0; run < runs; ++run)
            times << timeStop(launcher, script, folder.path());
        std::sort(times.begin(), times.end());
        const double median = times.at(times.size() / 2);
        std::printf("  %-26s median %8.1f ms  worst %8.1f ms  median/grace %.3f\n", emulator.name,
                    median, times.last(), median / grace);
    }
    return 0;
}
