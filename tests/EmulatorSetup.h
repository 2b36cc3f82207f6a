#pragma once

#include "core/emulator/EmulatorInterface.h"
#include "core/languages/LanguageTextTable.h"
#include "core/system/PlatformConventions.h"
#include "RomContents.h"
#include "StoredZip.h"
#include "WindowFixture.h"

namespace rivonel::test {

// A language of markers, "<n>" for text n with the places of its English
// text, so every message shows where each of its words comes from.
inline LanguageTextTable markerTexts()
{
    LanguageTextTable texts;
    for (int n = 1; n <= LanguageTextTable::count; ++n) {
        const QString english = LanguageTextTable().text(n);
        texts.set(n, u'<' + QString::number(n) +
                         (english.contains(u"%1") ? QStringLiteral(" %1") : QString()) +
                         (english.contains(u"%2") ? QStringLiteral(" %2") : QString()) +
                         (english.contains(u"%3") ? QStringLiteral(" %3") : QString()) + u'>');
    }
    return texts;
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
          "ZINC_SIM_EXIT_CODE", "ZINC_SIM_DETACH", "ZINC_SIM_STAMP_FILE"})
        qunsetenv(variable);
}

} // namespace rivonel::test
