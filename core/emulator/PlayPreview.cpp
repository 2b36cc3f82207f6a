// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/PlayPreview.h"

#include "core/emulator/EmulatorConfigFiles.h"
#include "core/emulator/EmulatorInterface.h"
#include "core/games/GameTable.h"
#include "core/system/ProgramInfo.h"

#include <QStringList>

namespace rivonel {

namespace {

// Every line of what Play writes, so that one option's effect shows as the
// lines that change with it.
QStringList allLines(const PlatformConventions &platform, const OptionSet &options,
                     const QString &programDirectory)
{
    return zincConfigLines(options, webAddress()) + rendererConfigLines(options, webAddress()) +
           QStringList{rendererPlugin(options.renderer.position).file.toString(),
                       launchCommand(platform, options.zincDirectory,
                                     gameNumber(options.game.position), programDirectory)};
}

// The same options with one value changed to another it could hold.
OptionSet otherValue(OptionSet options, const OptionEntry &entry, const ListItems &items)
{
    if (const auto box = std::get_if<int OptionSet::*>(&entry.field)) {
        options.**box = options.**box == check::checked ? check::unchecked : check::checked;
    } else if (const auto text = std::get_if<QString OptionSet::*>(&entry.field)) {
        options.**text += u'1';
    } else {
        const auto list = std::get<ListChoice OptionSet::*>(entry.field);
        const QStringList choices = items(list);
        const int next =
            choices.isEmpty() ? -1 : ((options.*list).position + 1) % int(choices.size());
        options.*list = {next, choices.value(next)};
    }
    return options;
}

QList<PreviewLine> marked(const QStringList &lines, const QList<QStringList> &changed)
{
    QList<PreviewLine> result;
    for (const QString &line : lines) {
        bool own = false;
        for (const QStringList &other : changed)
            own = own || !other.contains(line);
        result << PreviewLine{line, own};
    }
    return result;
}

QString section(const QString &title, const QList<PreviewLine> &lines)
{
    QString text = title + u'\n';
    for (const PreviewLine &line : lines)
        text += (line.own ? QStringLiteral("\u25b6 ") : QStringLiteral("  ")) + line.text + u'\n';
    return text;
}

} // namespace

PlayPreview playPreview(const PlatformConventions &platform, const OptionSet &options,
                        const std::bitset<optionCount> &own, const QString &programDirectory,
                        const ListItems &items)
{
    QList<QStringList> changed;
    for (std::size_t i = 0; i < optionTable().size(); ++i)
        if (own.test(i))
            changed << allLines(platform, otherValue(options, optionTable()[i], items),
                                programDirectory);
    const auto one = [&](const QString &line) { return marked({line}, changed).first(); };
    const RendererPlugin &plugin = rendererPlugin(options.renderer.position);
    return {
        emulatorOptionFilePath(platform, options, EmulatorOptionFile::Zinc),
        marked(zincConfigLines(options, webAddress()), changed),
        emulatorOptionFilePath(platform, options, EmulatorOptionFile::Renderer),
        marked(rendererConfigLines(options, webAddress()), changed),
        {plugin.logName.trimmed().toString() + QStringLiteral(" (") + plugin.file.toString() + u')',
         one(plugin.file.toString()).own},
        one(launchCommand(platform, options.zincDirectory, gameNumber(options.game.position),
                          programDirectory))};
}

QString playPreviewText(const PlayPreview &preview, const LanguageTextTable &texts)
{
    return texts.text(textKey::previewLegend) + QStringLiteral("\n\n") +
           section(preview.zincConfigPath, preview.zincConfig) + u'\n' +
           section(preview.rendererConfigPath, preview.rendererConfig) + u'\n' +
           section(texts.text(textKey::rendererLogLabel).trimmed(), {preview.plugin}) + u'\n' +
           section(texts.text(textKey::launchLineLabel), {preview.launchLine});
}

} // namespace rivonel
