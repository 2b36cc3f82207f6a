// SPDX-License-Identifier: GPL-3.0-or-later
// What the close costs as rivonel.ini grows: OptionsFile::save, the whole
// of the close's work on the file (read, every option edited in, the file
// replaced), with a 1 KiB file and a 1.9 MiB one whose bulk is keys Rivonel
// does not know, spread over its sections. Each save writes other values than
// the last, so every one replaces the file. Reports the median of each and
// their ratio, measured in the same run.
//
//   build/bench/save_bench [runs]      (default 15)

#include "core/options/OptionsFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace rivonel;

namespace {

// The options' sections, each holding unknown keys up to its share of the size.
QByteArray optionsText(qint64 size)
{
    const char *const sections[] = {"General", "Audio", "Video", "Plugins"};
    QByteArray text = "; options\n";
    for (const char *section : sections) {
        text += '[' + QByteArray(section) + "]\n";
        const qint64 end = text.size() + (size - 64) / 4;
        for (int n = 0; text.size() < end; ++n)
            text += "UnknownKey" + QByteArray::number(n) + "=a value Rivonel keeps as it is\n";
        text += '\n';
    }
    return text;
}

// The median time, in milliseconds, of a save into a file of these bytes.
double saveMs(const QByteArray &bytes, int runs)
{
    QTemporaryDir dir;
    const PlatformConventions platform = PlatformConventions::native();
    QFile file(dir.filePath(QStringLiteral("rivonel.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return -1;
    file.close();
    const OptionsFile options(ProgramLocations::portable(dir.path(), platform), platform,
                              [](const QString &path) { return QFileInfo(path).isFile(); });
    QList<double> ms;
    for (int run = 0; run < runs; ++run) {
        OptionSet set;
        set.romDirectory = QStringLiteral("/roms/") + QString::number(run);
        QElapsedTimer timer;
        timer.start();
        if (options.save(set).problem != OptionsFile::SaveProblem::None)
            return -1;
        ms << timer.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return ms.at(ms.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QByteArray small = optionsText(1024);
    const QByteArray large = optionsText(19 * 1024 * 1024 / 10);
    const double smallMs = saveMs(small, runs);
    const double largeMs = saveMs(large, runs);
    if (smallMs < 0 || largeMs < 0) {
        std::fprintf(stderr, "a save failed\n");
        return 1;
    }
    std::printf("OptionsFile::save, median of %d runs (milliseconds)\n", runs);
    std::printf("%-36s %9.2f\n", qPrintable(QStringLiteral("%1 bytes").arg(small.size())), smallMs);
    std::printf("%-36s %9.2f  (%.1fx the small file)\n",
                qPrintable(QStringLiteral("%1 bytes").arg(large.size())), largeMs,
                largeMs / smallMs);
    return 0;
}
