// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/GameRow.h"

#include "core/games/ArchiveReport.h"
#include "core/games/GameTable.h"

#include <QStringList>

namespace rivonel {

namespace {

QString archiveSentence(const GameRow &row, const RomFolderLook &roms,
                        const ArchiveKnowledge &known, const QString &romSet,
                        const LanguageTextTable &texts, qsizetype longestName)
{
    if (roms.status == RomFolderLook::Status::NotSet)
        return {};
    if (!row.absent)
        return archiveStateText(known, roms.folder, romSet, texts, longestName);
    return archiveAbsentText(roms.status == RomFolderLook::Status::Unreadable, roms.folder, romSet,
                             texts, longestName);
}

} // namespace

GameRow gameRow(int position, const RomFolderLook &roms, const ArchiveKnowledge &known,
                const PlayHistory &history, const LanguageTextTable &texts, const QLocale &locale,
                qsizetype longestName)
{
    GameRow row;
    if (position < 0 || position >= gameCount)
        return row;
    const QString romSet = gameTable()[static_cast<std::size_t>(position)].romSet.toString();
    const bool looked = roms.status != RomFolderLook::Status::NotSet;
    const bool there = looked && roms.present[static_cast<std::size_t>(position)];
    if (roms.status == RomFolderLook::Status::Listed)
        row.archivePresent = there;
    row.absent = looked && !there;
    const ArchiveKnowledge none;
    const ArchiveKnowledge &ofFolder = known.folder == roms.folder ? known : none;
    if (looked)
        row.state = ofFolder.state(romSet);
    row.plays = history.at(position);
    row.favourite = row.plays.favourite;

    QStringList lines;
    row.archive = archiveSentence(row, roms, ofFolder, romSet, texts, longestName);
    if (!row.archive.isEmpty())
        lines << row.archive;
    if (row.favourite)
        lines << texts.text(textKey::favouriteCaption);
    lines << playHistoryText(row.plays, texts, locale);
    row.description = lines.join(u'\n');
    return row;
}

void addOwnValues(GameRow &row, const QString &summary, const LanguageTextTable &texts)
{
    if (summary.isEmpty())
        return;
    row.ownValues = summary;
    row.description += u'\n' + texts.text(textKey::ownOptionsLine).arg(summary);
}

bool shownInList(int position, const GameRow &row, GameFilter filter, const QString &search,
                 const QDateTime &now)
{
    if (position < 0 || position >= gameCount)
        return false;
    const GameEntry &game = gameTable()[static_cast<std::size_t>(position)];
    const QString wanted = search.trimmed();
    if (!wanted.isEmpty() && !game.title.contains(wanted, Qt::CaseInsensitive) &&
        !game.romSet.contains(wanted, Qt::CaseInsensitive))
        return false;
    switch (filter) {
    case GameFilter::All:
        return true;
    case GameFilter::Available:
        return row.archivePresent.value_or(false);
    case GameFilter::Favourites:
        return row.favourite;
    case GameFilter::Recent:
        return row.plays.last.isValid() && row.plays.last.addDays(recentDays) >= now;
    }
    return true;
}

QString gameDetails(int position, const GameRow &row, const LanguageTextTable &texts)
{
    if (position < 0 || position >= gameCount)
        return {};
    const GameEntry &game = gameTable()[static_cast<std::size_t>(position)];
    return texts.text(textKey::gameLabel) + QStringLiteral(": ") +
           QString::number(gameNumber(position)) + QStringLiteral(" - ") + game.title.toString() +
           u'\n' + texts.text(textKey::romSetLabel).arg(game.romSet.toString()) + u'\n' +
           row.description;
}

} // namespace rivonel
