// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/SavedOptions.h"

#include "core/games/GameTable.h"
#include "core/options/Interlocks.h"
#include "core/settings/IniDocument.h"

namespace rivonel {

namespace {

using K = SettingKind;

std::optional<int> wholeNumber(const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

ListChoice choiceAt(const QStringList &items, int position)
{
    return {position, position < 0 ? QString() : items.at(position)};
}

void loadEntry(LoadedOptions &loaded, const OptionEntry &entry, const std::optional<QString> &value,
               const ListItems &items, bool soundPlayable, const OptionSet &unset)
{
    OptionState &state = loaded.state;
    const auto number = wholeNumber(value.value_or(QString()));
    const auto box = [&](std::optional<int> saved) {
        const auto field = std::get<int OptionSet::*>(entry.field);
        // Never left grayed for want of a saved value.
        setCheckValue(state, field, saved.value_or(unset.*field));
    };
    switch (entry.kind) {
    case K::Text: {
        const auto field = std::get<QString OptionSet::*>(entry.field);
        state.values.*field = value.value_or(unset.*field);
        break;
    }
    case K::CheckState:
        box(number && *number >= check::unchecked && *number <= check::grayed ? number
                                                                              : std::nullopt);
        break;
    case K::SoundEnable:
        // A machine that cannot play sound gets it off, whatever was saved.
        if (!soundPlayable) {
            setCheckValue(state, &OptionSet::sound, check::unchecked);
            state.setEnabled(&OptionSet::sound, false);
            loaded.soundLocked = true;
            break;
        }
        [[fallthrough]];
    case K::CheckedWhenOne:
        box(number ? std::optional(*number == 1 ? check::checked : check::unchecked)
                   : std::nullopt);
        break;
    case K::ListPosition: {
        const auto field = std::get<ListChoice OptionSet::*>(entry.field);
        const QStringList list = items(field);
        const int position =
            number && *number >= -1 && *number < list.size() ? *number : (unset.*field).position;
        if (position < list.size())
            state.values.*field = choiceAt(list, position);
        break;
    }
    case K::ListText: {
        const auto field = std::get<ListChoice OptionSet::*>(entry.field);
        const QStringList list = items(field);
        const int position =
            value.value_or(QString()).isEmpty() ? -1 : static_cast<int>(list.indexOf(*value));
        if (position >= 0)
            state.values.*field = choiceAt(list, position);
        break;
    }
    case K::LastGame:
    case K::Language:
        break;
    }
}

} // namespace

LoadedOptions loadOptions(OptionState state, const SavedText &saved, const ListItems &items,
                          bool soundPlayable, const OptionSet &unset)
{
    LoadedOptions loaded{std::move(state)};
    for (const OptionEntry &entry : optionTable())
        if (entry.kind != K::LastGame && entry.kind != K::Language)
            loadEntry(loaded, entry, saved(entry), items, soundPlayable, unset);
    return loaded;
}

LoadedOptions applySavedTexts(OptionState state, const SavedText &saved, const ListItems &items,
                              bool soundPlayable)
{
    LoadedOptions loaded{std::move(state)};
    for (const OptionEntry &entry : optionTable())
        if (const std::optional<QString> text = saved(entry);
            text && entry.kind != K::LastGame && entry.kind != K::Language)
            // What cannot serve keeps the value it has.
            loadEntry(loaded, entry, text, items, soundPlayable, OptionSet(loaded.state.values));
    return loaded;
}

bool savedTextServes(const OptionEntry &entry, const QString &text, const ListItems &items)
{
    const auto number = wholeNumber(text);
    switch (entry.kind) {
    case K::Text:
        return true;
    case K::CheckState:
        return number && *number >= check::unchecked && *number <= check::grayed;
    case K::CheckedWhenOne:
    case K::SoundEnable:
        return number.has_value();
    case K::ListPosition:
        return number && *number >= -1 &&
               *number < items(std::get<ListChoice OptionSet::*>(entry.field)).size();
    case K::ListText:
        return !text.isEmpty() &&
               items(std::get<ListChoice OptionSet::*>(entry.field)).contains(text);
    case K::LastGame:
    case K::Language:
        break;
    }
    return false;
}

std::optional<QString> storedValue(const IniDocument &file, const OptionEntry &entry)
{
    return file.value(entry.section.toString(), entry.loadKey().toString());
}

QString savedValue(const IniDocument &file, const OptionEntry &entry)
{
    return storedValue(file, entry).value_or(QString());
}

QString savedText(const OptionSet &options, const OptionEntry &entry)
{
    switch (entry.kind) {
    case K::Text:
        return options.*std::get<QString OptionSet::*>(entry.field);
    case K::CheckState:
    case K::CheckedWhenOne:
    case K::SoundEnable:
        return QString::number(options.*std::get<int OptionSet::*>(entry.field));
    case K::ListPosition:
        return QString::number((options.*std::get<ListChoice OptionSet::*>(entry.field)).position);
    case K::ListText:
    case K::Language:
        return (options.*std::get<ListChoice OptionSet::*>(entry.field)).text;
    case K::LastGame:
        return QString::number(gameNumber(options.game.position));
    }
    return {};
}

QStringList saveOptions(IniDocument &file, const OptionSet &options)
{
    QStringList unsaved;
    for (const OptionEntry &entry : optionTable()) {
        // Without a language folder there is no choice to save; keep the old one.
        if (entry.kind == K::Language && options.language.position < 0)
            continue;
        const QString section = entry.section.toString(), key = entry.key.toString();
        const QString text = savedText(options, entry);
        // A value longer than the load reads came back cut: unless the user
        // changed it, the file keeps it whole.
        const auto stored = file.fullValue(section, key);
        if (stored && stored->size() > IniDocument::maxValueLength &&
            text == stored->left(IniDocument::maxValueLength))
            continue;
        if (!file.setValue(section, key, text))
            unsaved << key;
    }
    return unsaved;
}

std::optional<int> savedGamePosition(const QString &lastGame)
{
    const auto number = wholeNumber(lastGame);
    if (!number || *number < 0 || *number > gameCount)
        return std::nullopt;
    return *number - 1;
}

} // namespace rivonel
