// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/ArchiveReport.h"

#include "core/games/GameTable.h"
#include "core/system/ShownName.h"

namespace rivonel {

namespace {

int faultKey(ArchiveReading::Fault fault)
{
    switch (fault) {
    case ArchiveReading::Fault::Truncated:
        return textKey::faultTruncated;
    case ArchiveReading::Fault::CrcMismatch:
        return textKey::faultCrcMismatch;
    case ArchiveReading::Fault::TooLarge:
        return textKey::faultTooLarge;
    case ArchiveReading::Fault::None:
    case ArchiveReading::Fault::Unreadable:
        break;
    }
    return textKey::faultUnreadable;
}

} // namespace

QString archiveStateText(const ArchiveKnowledge &known, const QString &folder,
                         const QString &romSet, const LanguageTextTable &texts,
                         qsizetype longestName)
{
    const auto shown = [longestName](const QString &name) { return shownName(name, longestName); };
    const QString archive = romSet + romArchiveExtension.toString();
    const auto text = [&](int key) { return texts.text(key).arg(archive); };
    switch (known.state(romSet)) {
    case ArchiveState::Unknown:
        return text(textKey::archiveChecking);
    case ArchiveState::Missing:
        return texts.text(textKey::archiveMissing).arg(archive, shown(folder));
    case ArchiveState::NotAZip:
        return text(textKey::archiveNotAZip);
    case ArchiveState::Damaged: {
        const ArchiveReading &reading = known.readings[romSet];
        const QString fault = texts.text(faultKey(reading.fault));
        return reading.badEntry.isEmpty() ? texts.text(textKey::archiveDamaged).arg(archive, fault)
                                          : texts.text(textKey::archiveDamagedEntry)
                                                .arg(archive, shown(reading.badEntry), fault);
    }
    case ArchiveState::Incomplete:
        return texts.text(textKey::archiveIncomplete)
            .arg(archive, shown(known.missingFile(romSet)));
    case ArchiveState::Ready:
        break;
    }
    return text(textKey::archiveReady);
}

QString archiveReport(const ArchiveKnowledge &known, const PlatformConventions &platform,
                      const QString &folder, const QString &romSet, const LanguageTextTable &texts)
{
    QStringList lines{
        texts.text(textKey::archiveFilesIn).arg(shownName(archivePath(platform, folder, romSet)))};
    const QList<ArchiveEntry> entries = known.readings.value(romSet).entries;
    for (const ArchiveEntry &entry : entries.first(std::min(entries.size(), listedArchiveFiles)))
        lines << texts.text(textKey::archiveFile)
                     .arg(shownName(entry.name), QString::number(entry.size),
                          QStringLiteral("%1").arg(entry.crc, 8, 16, QLatin1Char('0')).toUpper());
    if (entries.size() > listedArchiveFiles)
        lines << texts.text(textKey::archiveMoreFiles).arg(entries.size() - listedArchiveFiles);
    lines << archiveStateText(known, folder, romSet, texts);
    return lines.join(QStringLiteral("\r\n"));
}

std::optional<QString> archiveWarning(const ArchiveKnowledge &known, const QString &folder,
                                      const QString &romSet, const LanguageTextTable &texts)
{
    switch (known.state(romSet)) {
    case ArchiveState::NotAZip:
    case ArchiveState::Damaged:
    case ArchiveState::Incomplete:
        return texts.text(textKey::archiveWarning)
            .arg(archiveStateText(known, folder, romSet, texts));
    default:
        return std::nullopt;
    }
}

QString archiveAbsentText(bool folderUnreadable, const QString &folder, const QString &romSet,
                          const LanguageTextTable &texts, qsizetype longestName)
{
    const QString archive = romSet + romArchiveExtension.toString();
    const QString shownFolder = shownName(folder, longestName);
    return folderUnreadable ? texts.text(textKey::romFolderUnreadable).arg(shownFolder, archive)
                            : texts.text(textKey::archiveMissing).arg(archive, shownFolder);
}

} // namespace rivonel
