// SPDX-License-Identifier: GPL-3.0-or-later
// What an oversized language file costs at start-up: the window's start
// (Form_Load) with the shipped English file, against the same file followed
// by junk lines or blank lines up to 1 MiB, and a file over the size limit
// (which is not read at all). Reports the median of each and its ratio to
// the shipped file, and the peak memory of the whole run.
//
//   build/bench/startup_bench [runs]      (default 15; needs no display)

#include "core/settings/IniDocument.h"
#include "FakeDesktop.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

using namespace rivonel;
using rivonel::test::FakeDesktop;

namespace {

// The median time, in milliseconds, of a window's start with this language file.
double startupMs(const QByteArray &language, int runs)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("language")));
    QFile file(dir.filePath(QStringLiteral("language/English.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(language) != language.size())
        return -1;
    file.close();
    QFile ini(dir.filePath(QStringLiteral("rivonel.ini")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[General]\nLanguage=English\n") < 0)
        return -1;
    ini.close();
    QList<double> ms;
    FakeDesktop desktop;
    for (int run = 0; run < runs; ++run) {
        frmPrincipal window(desktop, ProgramLocations::portable(dir.path(), desktop.conventions()));
        QElapsedTimer timer;
        timer.start();
        window.Form_Load();
        ms << timer.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return ms.at(ms.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;

    QFile shipped(QStringLiteral(RIVONEL_LANGUAGE_DIR "/English.ini"));
    if (!shipped.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray english = shipped.readAll();
    const qint64 mib = 1024 * 1024;
    QByteArray junk = english;
    while (junk.size() < mib)
        junk += "junk line without any meaning at all " + QByteArray::number(junk.size()) + '\n';
    const QByteArray blank = english + QByteArray(mib - english.size(), '\n');
    const QByteArray oversized = english + QByteArray(IniDocument::maxFileSize, '\n');

    const double base = startupMs(english, runs);
    std::printf("start-up with a language file, median of %d runs (milliseconds)\n", runs);
    std::printf("%-44s %8.1f\n", "shipped English.ini", base);
    const struct {
        const char *name;
        const QByteArray &bytes;
    } cases[] = {{"1 MiB: the keys, then junk lines", junk},
                 {"1 MiB: the keys, then blank lines", blank},
                 {"over the limit (not read)", oversized}};
    for (const auto &c : cases) {
        const double ms = startupMs(c.bytes, runs);
        std::printf("%-44s %8.1f  (%.1fx the shipped file)\n", c.name, ms, ms / base);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory of the whole run: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
