// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/GameOptions.h"

#include "core/games/GameTable.h"
#include "core/options/OptionItems.h"
#include "core/options/SavedOptions.h"
#include "core/system/PlatformConventions.h"

#include <QStringList>

#include <iterator>

namespace rivonel {

namespace {

QString sectionOf(int position)
{
    return QStringLiteral("Game%1").arg(gameNumber(position));
}

bool validPosition(int position)
{
    return position >= 0 && position < gameCount;
}

// "Renderer:" reads "renderer" inside a sentence; "FPS" stays as it is.
QString captionInSentence(const QString &caption)
{
    QString name = captionAsName(caption);
    if (name.size() > 1 && name.at(1).isLower())
        name[0] = name.at(0).toLower();
    return name;
}

QString shownValue(const OptionEntry &entry, const QString &text, const LanguageTextTable &texts)
{
    switch (entry.kind) {
    case SettingKind::CheckState:
    case SettingKind::CheckedWhenOne:
    case SettingKind::SoundEnable:
        if (text.trimmed() == u"1")
            return texts.text(textKey::optionOn);
        return text.trimmed() == u"0" || entry.kind != SettingKind::CheckState
                   ? texts.text(textKey::optionOff)
                   : text.trimmed();
    case SettingKind::ListPosition: { // the renderer, the one list kept by its position
        const int position = text.trimmed().toInt();
        return position >= 0 && position < int(std::size(rendererItems))
                   ? rendererItems[position].toString()
                   : text;
    }
    default:
        return text;
    }
}

} // namespace

bool gameMayOwn(const OptionEntry &entry)
{
    return entry.kind != SettingKind::LastGame && entry.kind != SettingKind::Language &&
           entry.field != OptionField(&OptionSet::zincDirectory) &&
           entry.field != OptionField(&OptionSet::romDirectory) &&
           entry.field != OptionField(&OptionSet::padStop);
}

std::bitset<optionCount> ownableEntries()
{
    std::bitset<optionCount> entries;
    for (std::size_t i = 0; i < optionTable().size(); ++i)
        entries.set(i, gameMayOwn(optionTable()[i]));
    return entries;
}

GameOptions::Reading GameOptions::read(const QString &path)
{
    IniDocument::Reading reading = IniDocument::read(path);
    GameOptions options;
    // A file made anew ends its lines as the system's files do.
    options.m_file = reading.status == IniDocument::ReadStatus::Read
                         ? std::move(reading.document)
                         : IniDocument(PlatformConventions::native().lineEnd);
    return {reading.status, std::move(options)};
}

GameOptions GameOptions::fromBytes(const QByteArray &bytes, const QString &newLineEnd)
{
    GameOptions options;
    options.m_file = IniDocument::fromBytes(bytes, newLineEnd);
    return options;
}

OwnValues GameOptions::stored(int position) const
{
    OwnValues own;
    if (!validPosition(position))
        return own;
    const QString section = sectionOf(position);
    for (int i = 0; i < optionCount; ++i) {
        const OptionEntry &entry = optionTable()[static_cast<std::size_t>(i)];
        if (!gameMayOwn(entry))
            continue;
        if (const auto text = m_file.value(section, entry.key.toString()))
            own[i] = *text;
    }
    return own;
}

OwnValues GameOptions::of(int position, const ListItems &items) const
{
    OwnValues own = stored(position);
    std::erase_if(own, [&items](const auto &value) {
        return !savedTextServes(optionTable()[static_cast<std::size_t>(value.first)], value.second,
                                items);
    });
    return own;
}

bool GameOptions::setOwn(int position, int index, const QString &text)
{
    return validPosition(position) && gameMayOwn(optionTable()[static_cast<std::size_t>(index)]) &&
           m_file.setValue(sectionOf(position),
                           optionTable()[static_cast<std::size_t>(index)].key.toString(), text);
}

void GameOptions::drop(int position, int index)
{
    if (validPosition(position) && gameMayOwn(optionTable()[static_cast<std::size_t>(index)]))
        m_file.removeValue(sectionOf(position),
                           optionTable()[static_cast<std::size_t>(index)].key.toString());
}

void GameOptions::dropAll(int position)
{
    for (int index = 0; index < optionCount; ++index)
        drop(position, index);
}

OptionState withOwnValues(OptionState global, const OwnValues &own, const ListItems &items,
                          bool soundPlayable)
{
    return applySavedTexts(
               std::move(global),
               [&own](const OptionEntry &entry) -> std::optional<QString> {
                   if (!gameMayOwn(entry))
                       return std::nullopt;
                   const auto value = own.find(optionIndex(entry.field));
                   return value == own.end() ? std::nullopt : std::optional(value->second);
               },
               items, soundPlayable)
        .state;
}

QString ownValuesText(const OwnValues &own, const LanguageTextTable &texts)
{
    QStringList said;
    for (const auto &[index, text] : own) {
        const OptionEntry &entry = optionTable()[static_cast<std::size_t>(index)];
        // Without a caption in the language, the key the file holds names it.
        const QString caption = captionInSentence(texts.text(entry.caption));
        said << (caption.isEmpty() ? entry.key.toString() : caption) + u' ' +
                    shownValue(entry, text, texts);
    }
    return said.join(QStringLiteral(", "));
}

} // namespace rivonel
