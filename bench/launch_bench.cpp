// SPDX-License-Identifier: GPL-3.0-or-later
// How fast a launch locks the window and how fast the window comes back once
// the emulator has ended, with the real shell and the substitute emulator.
// The baseline is the same launch watched by the one-second timer alone.
//
//   build/bench/launch_bench [runs]      (default 20; needs no display)

#include "BenchSetup.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace rivonel;

namespace {

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Notes when the window is enabled again.
class EnableWatch : public QObject {
public:
    qint64 enabledAt = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange && static_cast<QWidget *>(watched)->isEnabled())
            enabledAt = nowNs();
        return false;
    }
};

struct Stats {
    QList<double> ms;
    void add(qint64 ns) { ms << ns / 1e6; }
    double median() const
    {
        QList<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.isEmpty() ? 0 : sorted.at(sorted.size() / 2);
    }
    double worst() const { return ms.isEmpty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

std::pair<qint64, qint64> readStamps(const QString &path)
{
    QFile file(path);
    qint64 start = 0, end = 0;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith("start "))
                start = line.mid(6).toLongLong();
            else if (line.startsWith("end "))
                end = line.mid(4).toLongLong();
        }
    return {start, end};
}

bool measure(bool notifyEnd, int runs, Stats &toRunning, Stats &toWindowBack)
{
    QTemporaryDir dir;
    const auto [zinc, roms] = bench::prepareZincAndRoms(dir.path());
    test::FakeDesktop desktop;
    desktop.realLaunch = true;
    desktop.notifyEnd = notifyEnd;

    frmPrincipal window(desktop, ProgramLocations::portable(dir.path(), desktop.conventions()));
    bench::pointAtDemo(window, zinc, roms);
    EnableWatch watch;
    window.installEventFilter(&watch);

    const QString stamps = dir.filePath(QStringLiteral("stamps.txt"));
    qputenv("ZINC_SIM_STAMP_FILE", stamps.toLocal8Bit());
    qputenv("ZINC_SIM_RUN_MS", "200");
    for (int run = 0; run < runs; ++run) {
        QFile::remove(stamps);
        watch.enabledAt = 0;
        const qint64 pressed = nowNs();
        window.cmdPlay->click();
        QElapsedTimer limit;
        limit.start();
        while (!window.isEnabled() && limit.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const auto [start, end] = readStamps(stamps);
        if (!window.isEnabled() || !start || !end || !watch.enabledAt) {
            std::fprintf(stderr, "run %d did not complete\n", run + 1);
            return false;
        }
        toRunning.add(start - pressed);
        toWindowBack.add(watch.enabledAt - end);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    Stats running, back, baselineRunning, baselineBack;
    if (!measure(true, runs, running, back) || !measure(false, runs, baselineRunning, baselineBack))
        return 1;

    std::printf("launch benchmark, %d runs each (milliseconds)\n", runs);
    std::printf("%-40s %8s %8s\n", "", "median", "worst");
    std::printf("%-40s %8.1f %8.1f\n", "Play -> emulator running", running.median(),
                running.worst());
    std::printf("%-40s %8.1f %8.1f\n", "emulator exit -> window back", back.median(), back.worst());
    std::printf("%-40s %8.1f %8.1f\n", "baseline (timer only): exit -> back", baselineBack.median(),
                baselineBack.worst());
    std::printf("window back, baseline / exit notice: median %.1fx, worst %.1fx\n",
                baselineBack.median() / std::max(0.001, back.median()),
                baselineBack.worst() / std::max(0.001, back.worst()));
    std::printf("target: window back within 100 ms of the emulator's exit: %s\n",
                back.worst() <= 100 ? "met" : "NOT met");
    return 0;
}
