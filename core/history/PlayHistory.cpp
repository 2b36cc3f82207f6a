// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/history/PlayHistory.h"

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <climits>

namespace rivonel {

namespace {

const QString playedKey = QStringLiteral("Played");
const QString secondsKey = QStringLiteral("Seconds");
const QString lastKey = QStringLiteral("Last");
const QString favouriteKey = QStringLiteral("Favourite");

QString sectionOf(int position)
{
    return QStringLiteral("Game%1").arg(gameNumber(position));
}

bool validPosition(int position)
{
    return position >= 0 && position < gameCount;
}

// A count written by this program: digits only, no sign, no blanks.
std::optional<qint64> count(const std::optional<QString> &text)
{
    if (!text)
        return qint64(0);
    bool ok = false;
    const qint64 value = text->toLongLong(&ok);
    if (!ok || value < 0 || text->isEmpty() || !text->front().isDigit())
        return std::nullopt;
    return value;
}

GamePlays readGame(const IniDocument &file, const QString &section)
{
    const auto times = count(file.value(section, playedKey));
    const auto seconds = count(file.value(section, secondsKey));
    const auto favourite = count(file.value(section, favouriteKey));
    const std::optional<QString> lastText = file.value(section, lastKey);
    const QDateTime last = lastText ? QDateTime::fromString(*lastText, Qt::ISODate) : QDateTime();
    // An entry that contradicts itself is dropped whole, never half-believed.
    if (!times || !seconds || !favourite || *times > INT_MAX || (*times > 0) != last.isValid() ||
        (lastText && !last.isValid()))
        return {};
    return {static_cast<int>(*times), *seconds, last.toUTC(), *favourite != 0};
}

} // namespace

PlayHistory PlayHistory::read(const QString &path)
{
    const IniDocument::Reading reading = IniDocument::read(path);
    return reading.status == IniDocument::ReadStatus::Read ? fromBytes(reading.document.toBytes())
                                                           : PlayHistory();
}

PlayHistory PlayHistory::fromBytes(const QByteArray &bytes)
{
    const IniDocument file = IniDocument::fromBytes(bytes);
    PlayHistory history;
    for (int position = 0; position < gameCount; ++position)
        history.m_games[static_cast<std::size_t>(position)] = readGame(file, sectionOf(position));
    return history;
}

QByteArray PlayHistory::toBytes() const
{
    IniDocument file;
    for (int position = 0; position < gameCount; ++position) {
        const GamePlays &game = at(position);
        if (game == GamePlays())
            continue;
        const QString section = sectionOf(position);
        bool written =
            file.setValue(section, playedKey, QString::number(game.times)) &&
            file.setValue(section, secondsKey, QString::number(game.seconds)) &&
            file.setValue(section, favouriteKey, QString::number(game.favourite ? 1 : 0));
        if (game.last.isValid())
            written =
                written && file.setValue(section, lastKey, game.last.toUTC().toString(Qt::ISODate));
        Q_ASSERT(written); // numbers and dates always stand on one line
    }
    return file.toBytes();
}

bool PlayHistory::write(const QString &path) const
{
    return writeFileAnew(path, toBytes());
}

const GamePlays &PlayHistory::at(int position) const
{
    static const GamePlays none;
    return validPosition(position) ? m_games[static_cast<std::size_t>(position)] : none;
}

void PlayHistory::startRun(int position, const QDateTime &start)
{
    if (!validPosition(position))
        return;
    GamePlays &game = m_games[static_cast<std::size_t>(position)];
    game.times += game.times < INT_MAX ? 1 : 0;
    game.last = start.toUTC();
}

void PlayHistory::endRun(int position, const QDateTime &start, const QDateTime &end)
{
    if (!validPosition(position) || at(position).times == 0)
        return;
    GamePlays &game = m_games[static_cast<std::size_t>(position)];
    // A clock set back during the run adds nothing rather than taking away.
    game.seconds += qMax<qint64>(0, start.secsTo(end));
    game.last = end.toUTC();
}

void PlayHistory::setFavourite(int position, bool favourite)
{
    if (validPosition(position))
        m_games[static_cast<std::size_t>(position)].favourite = favourite;
}

QString playHistoryText(const GamePlays &plays, const LanguageTextTable &texts,
                        const QLocale &locale)
{
    if (plays.times == 0)
        return texts.text(textKey::neverPlayed);
    const qint64 minutes = plays.seconds / 60;
    const QString time =
        minutes >= 60 ? texts.text(textKey::hoursAndMinutes).arg(minutes / 60).arg(minutes % 60)
                      : texts.text(textKey::minutesOnly).arg(minutes);
    const QString day = locale.toString(plays.last.toLocalTime().date(), QLocale::LongFormat);
    return plays.times == 1
               ? texts.text(textKey::playedOnce).arg(time, day)
               : texts.text(textKey::playedTimes).arg(QString::number(plays.times), time, day);
}

std::optional<int> gamePositionNamed(const QString &name)
{
    bool isNumber = !name.isEmpty();
    for (const QChar c : name)
        isNumber = isNumber && c >= u'0' && c <= u'9';
    if (isNumber) {
        const int number = name.size() <= 3 ? name.toInt() : 0;
        if (number >= 1 && number <= gameCount)
            return number - 1;
        return std::nullopt;
    }
    const auto &games = gameTable();
    for (int position = 0; position < gameCount; ++position)
        if (name.compare(games[static_cast<std::size_t>(position)].romSet, Qt::CaseInsensitive) ==
            0)
            return position;
    return std::nullopt;
}

QString playArgument(int position)
{
    const QString romSet = gameTable()[static_cast<std::size_t>(position)].romSet.toString();
    return gamePositionNamed(romSet) == position ? romSet : QString::number(gameNumber(position));
}

} // namespace rivonel
