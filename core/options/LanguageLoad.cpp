#include "core/options/LanguageLoad.h"

#include "core/options/OptionsFile.h"
#include "core/settings/IniDocument.h"
#include "core/system/ProgramLocations.h"

#include <QFileInfo>

namespace rivonel {

LoadedLanguage loadLanguage(const QStringList &folders, const QString &name,
                            const PlatformConventions &platform)
{
    const QString file = firstExistingFile(folders, name + QStringLiteral(".ini"), platform);
    const IniDocument::Reading language = IniDocument::read(file);
    if (language.status == IniDocument::ReadStatus::Read ||
        language.status == IniDocument::ReadStatus::Missing)
        return {LanguageTextTable::fromFile(language.document), {}};
    const LanguageTextTable english = LanguageTextTable::english();
    return {english,
            english.text(textKey::fileNotRead).arg(file, whyNotRead(english, language.status))};
}

bool holdsEmulator(const PlatformConventions &platform, const QString &folder)
{
    return QFileInfo(platform.join(folder, platform.emulatorFileName)).isFile();
}

} // namespace rivonel
