// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/emulator/EmulatorInterface.h"
#include "core/system/PlatformConventions.h"
#include "MarkerTexts.h"
#include "RomContents.h"
#include "StoredZip.h"
#include "WindowFixture.h"

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace rivonel::test {

// How long a run through the real shell may take before a test gives up on it.
constexpr int runLimitMs = 20000;

// Whether any of the processes is still there: running, or ended and not
// yet reaped by this program, whose children they became.
inline bool isAnyLeft(const QList<qint64> &processes)
{
#ifdef Q_OS_UNIX
    for (const qint64 pid : processes)
        if (::kill(static_cast<pid_t>(pid), 0) == 0)
            return true;
#else
    Q_UNUSED(processes);
#endif
    return false;
}

// Fills zinc with the substitute emulator and all four plug-ins, and roms
// with a complete sfex archive and a kikaioh archive that lacks a file.
inline void prepareZincAndRoms(const QString &zinc, const QString &roms)
{
    const PlatformConventions platform = PlatformConventions::native();
    QDir().mkpath(zinc);
    QFile::copy(QStringLiteral(ZINC_SIM_PATH), platform.join(zinc, platform.emulatorFileName));
    for (int position = 0; position < 4; ++position)
        writeAll(platform.join(zinc, rendererPlugin(position).file.toString()));
    for (const auto &[romSet, leftOut] :
         {std::pair{QStringLiteral("sfex"), QString()},
          {QStringLiteral("kikaioh"), QStringLiteral("kikaioh_gfx.bin")}}) {
        QList<zincsim::ZipEntry> entries;
        for (const QString &name : zincsim::requiredRomFiles(romSet))
            if (name != leftOut)
                entries.append({name, "rom"});
        writeAll(roms + u'/' + romSet + QStringLiteral(".zip"), zincsim::makeStoredZip(entries));
    }
    qputenv("ZINC_SIM_RUN_MS", "100");
    for (const char *variable :
         {"ZINC_SIM_SILENT", "ZINC_SIM_CRASH", "ZINC_SIM_IGNORE_TERM", "ZINC_SIM_OUTPUT_MB",
          "ZINC_SIM_EXIT_CODE", "ZINC_SIM_DETACH", "ZINC_SIM_STAMP_FILE", "ZINC_SIM_BRIEF_HELPER"})
        qunsetenv(variable);
}

// The process numbers the substitute's helper stamps ("helper <pid> …") in
// stamps, once it runs; none after limitMs.
inline QList<qint64> helperProcesses(const QString &stamps, int limitMs)
{
    QList<qint64> processes;
    (void)QTest::qWaitFor(
        [&] {
            for (const QByteArray &line : readAll(stamps).split('\n'))
                if (line.startsWith("helper "))
                    for (const QByteArray &number : line.split(' ').mid(1))
                        processes << number.toLongLong();
            return !processes.isEmpty();
        },
        limitMs);
    return processes;
}

} // namespace rivonel::test
