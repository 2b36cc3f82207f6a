// SPDX-License-Identifier: GPL-3.0-or-later
// What a flood of hand-over letters costs the running Rivonel: the first
// look at a mailbox holding one letter and one holding 10,000 (the longest
// the window waits at once), and how long the flood takes to drain, with how
// many command lines it passed on. Reports the median of each and the
// ratio of the first looks, measured in the same run.
//
//   build/bench/handover_bench [runs]      (default 5)

#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace rivonel;

namespace {

struct Flood {
    double firstLookMs = -1;
    double drainMs = -1;
    int followed = 0;
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

Flood flood(int letters)
{
    QTemporaryDir runtime;
    const QString folder = runtime.filePath(QStringLiteral("guard"));
    SingleInstance first(folder);
    if (first.claimOrHandOver({}) != SingleInstance::Start::First)
        return {};
    for (int n = 0; n < letters; ++n) {
        QFile letter(folder + QStringLiteral("/inbox/%1.args").arg(n));
        if (!letter.open(QIODevice::WriteOnly) || letter.write(R"(["rivonel","--play","3"])") < 0)
            return {};
    }
    Flood measured;
    bool told = letters <= 1;
    QObject::connect(&first, &SingleInstance::commandLineReceived,
                     [&measured] { ++measured.followed; });
    QObject::connect(&first, &SingleInstance::lettersDropped, [&told] { told = true; });
    QElapsedTimer timer;
    timer.start();
    first.listen();
    measured.firstLookMs = timer.nsecsElapsed() / 1e6;
    if (!QTest::qWaitFor([&] { return told && QDir(folder + QStringLiteral("/inbox")).isEmpty(); },
                         60000))
        return {};
    measured.drainMs = timer.nsecsElapsed() / 1e6;
    return measured;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::printf("SingleInstance, median of %d runs (milliseconds)\n", runs);
    double oneLetterMs = 0;
    for (int letters : {1, 10000}) {
        QList<double> firstLooks, drains;
        int followed = 0;
        for (int run = 0; run < runs; ++run) {
            const Flood measured = flood(letters);
            if (measured.drainMs < 0) {
                std::fprintf(stderr, "the mailbox was not drained\n");
                return 1;
            }
            firstLooks << measured.firstLookMs;
            drains << measured.drainMs;
            followed = std::max(followed, measured.followed);
        }
        const double firstLookMs = median(firstLooks);
        if (letters == 1)
            oneLetterMs = firstLookMs;
        const QString ratio =
            letters == 1
                ? QString()
                : QStringLiteral(" (%1x one letter)").arg(firstLookMs / oneLetterMs, 0, 'f', 1);
        std::printf("%6d letters: first look %8.2f%s, drained in %8.2f, %d followed\n", letters,
                    firstLookMs, qPrintable(ratio), median(drains), followed);
    }
    return 0;
}
