// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/LanguageLoad.h"

#include "core/options/OptionsFile.h"
#include "core/settings/IniDocument.h"
#include "core/system/ProgramLocations.h"
#include "core/system/SafeOpen.h"
#include "core/system/ShownName.h"

#include <QFile>
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
    return {english, english.text(textKey::fileNotRead)
                         .arg(shownName(file), whyNotRead(english, language.status))};
}

QString languageOwnName(const QStringList &folders, const QString &name,
                        const PlatformConventions &platform)
{
    constexpr qint64 nameWithin = 4096;
    QFile file;
    if (openRegularFile(firstExistingFile(folders, name + QStringLiteral(".ini"), platform),
                        file) != OpenResult::Opened)
        return {};
    QByteArray start = file.read(nameWithin);
    // A line cut at the end is no line of the file.
    if (start.size() == nameWithin)
        start.truncate(start.lastIndexOf('\n') + 1);
    return shownName(IniDocument::fromBytes(start)
                         .value(QStringLiteral("Language"), QStringLiteral("Name"))
                         .value_or(QString())
                         .trimmed(),
                     64);
}

bool holdsEmulator(const PlatformConventions &platform, const QString &folder)
{
    return QFileInfo(platform.join(folder, platform.emulatorFileName)).isFile();
}

} // namespace rivonel
