// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/GameOptions.h"
#include "core/options/Interlocks.h"
#include "core/options/SavedOptions.h"

#include <QMap>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace rivonel;
using O = OptionSet;

namespace {

QStringList items(ListChoice O::*list)
{
    if (list == &O::resolution)
        return {u"320x240"_s, u"512x384"_s, u"640x480"_s, u"800x600"_s};
    if (list == &O::renderer)
        return {u"Direct3D"_s, u"OpenGL"_s, u"Software"_s, u"Glide"_s};
    return {u"None"_s, u"Light"_s, u"Strong"_s};
}

// Loads "Key=value" pairs (keys as the load spells them) over the options a
// window has before the load: lists at their start positions, boxes grayed.
LoadedOptions load(const QMap<QString, QString> &saved, bool soundPlayable = true)
{
    OptionState start;
    start.values.resolution = {2, u"640x480"_s};
    start.values.renderer = {0, u"Direct3D"_s};
    const auto stored = [&](const OptionEntry &e) -> std::optional<QString> {
        const auto found = saved.constFind(e.loadKey().toString());
        return found == saved.cend() ? std::nullopt : std::optional(*found);
    };
    return loadOptions(start, stored, items, soundPlayable, unsetOptions(items));
}

// The audio boxes' values, "!" after a disabled one, then the two text
// boxes' names when enabled, "-" when not.
QString audio(const OptionState &s)
{
    QStringList parts;
    for (int O::*box : {&O::sound, &O::soundFilter, &O::stereoExciter, &O::surroundLite,
                        &O::surroundLiteMultiplier})
        parts << QString::number(s.values.*box) + (s.enabled(box) ? u""_s : u"!"_s);
    parts << (s.enabled(&O::soundFilterCutoff) ? u"cutoff"_s : u"-"_s)
          << (s.enabled(&O::surroundMultiplier) ? u"multiplier"_s : u"-"_s);
    return parts.join(u' ');
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedTextsFillTheOptionsTheyCanServe()
    {
        const O o = load({{u"RomPath"_s, u"/r o m s"_s},
                          {u"UseLowGeometry"_s, u"2"_s}, // anything but 1 clears it
                          {u"SoundFilter"_s, u" 2 "_s},
                          {u"StereoExciter"_s, u"x"_s},
                          {u"SurroundLite"_s, u"7"_s},
                          {u"Renderer"_s, u"-1"_s},
                          {u"ShowFPS"_s, u"1"_s},
                          {u"Resolution"_s, u"800x600"_s},
                          {u"ScanLines"_s, u"Strong"_s},
                          {u"TextureQuality"_s, u"strong"_s}, // items match exactly
                          {u"LastGame"_s, u"3"_s},
                          {u"Language"_s, u"English"_s},
                          {u"EnableKeys"_s, u"2"_s}})
                        .state.values;
        QCOMPARE(o.romDirectory + u'|' + o.zincDirectory, u"/r o m s|"_s); // missing: empty
        QCOMPARE((QList<int>{o.useLowGeometry, o.soundFilter, o.stereoExciter, o.surroundLite,
                             o.showFps, o.frameSkip, o.enableKeys}),
                 (QList<int>{0, 2, 0, 0, 1, 0, 2})); // what cannot serve, or is missing: unset
        QCOMPARE((QList<ListChoice>{o.renderer, o.resolution, o.scanLines, o.textureQuality, o.game,
                                    o.language}),
                 (QList<ListChoice>{{}, {3, u"800x600"_s}, {2, u"Strong"_s}, {}, {}, {}}));

        const O kept =
            load({{u"Renderer"_s, u"4"_s}, {u"Resolution"_s, u"999x999"_s}}).state.values;
        QCOMPARE(kept.renderer, (ListChoice{1, u"OpenGL"_s})); // no such renderer: the unset one
        QCOMPARE(kept.resolution, (ListChoice{2, u"640x480"_s}));
    }

    void theLoadRunsTheRulesInTheTablesOrder()
    {
        // Sound off clears and locks its effects; a filter saved on after it
        // is still set, and its own rule frees the cut-off.
        const LoadedOptions off = load({{u"SoundEnable"_s, u"0"_s}, {u"SoundFilter"_s, u"1"_s}});
        QCOMPARE(audio(off.state), u"0 1! 0! 0! 0! cutoff -"_s);
        QVERIFY(!off.soundLocked);

        const LoadedOptions on = load({{u"SoundEnable"_s, u"1"_s}, {u"SurroundLite"_s, u"1"_s}});
        QCOMPARE(audio(on.state), u"1 0 0 1 0 - multiplier"_s);
        // Grayed counts as on for the filter and surround rules.
        const LoadedOptions grayed = load(
            {{u"SoundEnable"_s, u"0"_s}, {u"SoundFilter"_s, u"2"_s}, {u"SurroundLite"_s, u"2"_s}});
        QCOMPARE(audio(grayed.state), u"0 2! 0! 2! 0 cutoff multiplier"_s);

        // Without a sound device sound is off and locked, whatever was saved.
        const LoadedOptions mute = load({{u"SoundEnable"_s, u"1"_s}}, false);
        QVERIFY(mute.soundLocked);
        QCOMPARE(audio(mute.state), u"0! 0! 0! 0! 0! - -"_s);
    }

    void theLastGameIsSavedAsANumberAndRestoredOnlyWhenItNamesAGame()
    {
        O none;
        QCOMPARE(savedText(none, optionEntry(&O::game)), u"0"_s);
        const QStringList texts{u"10"_s, u"1"_s,   u" 26 "_s, u"0"_s,
                                u""_s,   u"abc"_s, u"27"_s,   u"-4"_s};
        const QList<std::optional<int>> positions{9, 0, 25, -1, {}, {}, {}, {}};
        for (qsizetype i = 0; i < texts.size(); ++i)
            QVERIFY2(savedGamePosition(texts[i]) == positions[i], qPrintable(texts[i]));
    }

    void soundRulesCascadeThroughTheBoxes()
    {
        OptionState s;
        for (int O::*box : {&O::sound, &O::soundFilter, &O::stereoExciter, &O::surroundLite})
            setCheckValue(s, box, 1);
        QCOMPARE(audio(s), u"1 1 1 1 1 cutoff multiplier"_s);
        // Off: each effect box is cleared, and its own rule runs on the way.
        setCheckValue(s, &O::sound, 0);
        QCOMPARE(audio(s), u"0 0! 0! 0! 0! - -"_s);
        // On again: the boxes are free but stay off.
        setCheckValue(s, &O::sound, 1);
        QCOMPARE(audio(s), u"1 0 0 0 0 - -"_s);
        // Surround checks its multiplier, which the user may clear again.
        setCheckValue(s, &O::surroundLite, 1);
        setCheckValue(s, &O::surroundLiteMultiplier, 0);
        QCOMPARE(audio(s), u"1 0 0 1 0 - multiplier"_s);

        // Each rule looks only at its own box: sound off with the filter
        // already off leaves the cut-off as it is.
        s.setEnabled(&O::soundFilterCutoff, true);
        setCheckValue(s, &O::sound, 0);
        QVERIFY(s.enabled(&O::soundFilterCutoff));
        // Only a checked automatic frame skip turns the frame rate off.
        for (const auto &[value, enabled] : {std::pair{1, false}, {2, true}, {0, true}}) {
            setCheckValue(s, &O::frameSkipAuto, value);
            QCOMPARE(s.enabled(&O::frameRate), enabled);
        }
    }

    // --- A game's own options

    // Only the keys a game owns are its section; everything else in the file stays.
    void aGamesOwnValuesAreItsSectionAlone()
    {
        GameOptions file = GameOptions::fromBytes("; mine\r\n[game3]\r\nrenderer = 2\r\n"
                                                  "Resolution=640x480\r\nShowFPS=x\r\nScanlines="
                                                  "Nowhere\r\nDithering=2\r\nSoundEnable=0\r\n"
                                                  "RomPath=/elsewhere\r\nMine=kept\r\n");
        const auto index = [](const OptionField &field) { return optionIndex(field); };
        // Keys in any case; a value that cannot serve, and an option no game owns, are not its own.
        QCOMPARE(file.of(2, items), (OwnValues{{index(&O::sound), u"0"_s},
                                               {index(&O::renderer), u"2"_s},
                                               {index(&O::dithering), u"2"_s},
                                               {index(&O::resolution), u"640x480"_s}}));
        QCOMPARE(file.stored(2).size(), 6u);
        QVERIFY(!file.hasOwn(1, items) && !file.hasOwn(-1, items) && !file.hasOwn(26, items));

        // One value changed, one dropped: every other line stays, unusable ones too.
        QVERIFY(file.setOwn(2, index(&O::renderer), u"0"_s));
        file.drop(2, index(&O::resolution));
        QCOMPARE(file.toBytes(), "; mine\r\n[game3]\r\nrenderer =0\r\nShowFPS=x\r\nScanlines="
                                 "Nowhere\r\nDithering=2\r\nSoundEnable=0\r\n"
                                 "RomPath=/elsewhere\r\nMine=kept\r\n");
        // A section left with nothing of the user's goes; one with a comment or a key stays.
        QVERIFY(file.setOwn(0, index(&O::fullScreen), u"1"_s));
        file.dropAll(2);
        QCOMPARE(file.toBytes(), "; mine\r\n[game3]\r\nRomPath=/elsewhere\r\nMine=kept\r\n"
                                 "[Game1]\r\nFullScreen=1\r\n");
        file.drop(0, index(&O::fullScreen));
        QCOMPARE(file.toBytes(), "; mine\r\n[game3]\r\nRomPath=/elsewhere\r\nMine=kept\r\n");
        // A value that cannot stand on a line is refused; an option no game owns is never set.
        QVERIFY(!file.setOwn(4, index(&O::frameRate), u"1\n2"_s));
        QVERIFY(!file.setOwn(4, index(&O::romDirectory), u"/r"_s) && !file.setOwn(26, 0, u"1"_s));
        QCOMPARE(file.stored(4), OwnValues());
    }

    // Laid over the options of all games in the table's order, the rules running as a load runs
    // them.
    void aGamePlaysWithItsOwnValuesOverTheOptionsOfAllGames()
    {
        OptionState global = load({{u"SoundEnable"_s, u"1"_s}, {u"SoundFilter"_s, u"1"_s}}).state;
        global.values.frameRate = u"100"_s;
        const auto index = [](const OptionField &field) { return optionIndex(field); };
        const OwnValues own{{index(&O::renderer), u"2"_s},
                            {index(&O::sound), u"0"_s},
                            {index(&O::resolution), u"999x1"_s}};
        const OptionState game = withOwnValues(global, own, items, true);
        QCOMPARE(game.values.renderer, (ListChoice{2, u"Software"_s}));
        QCOMPARE(audio(game), u"0 0! 0! 0! 0! - -"_s);
        QCOMPARE(game.values.resolution, global.values.resolution); // cannot serve: all games'
        QCOMPARE(game.values.frameRate, u"100"_s);
        // Turned on for the game, sound frees its effects; where none can play it stays off.
        OptionState quiet = load({{u"SoundEnable"_s, u"0"_s}}).state;
        QCOMPARE(audio(withOwnValues(quiet, {{index(&O::sound), u"1"_s}}, items, true)),
                 u"1 0 0 0 0 - -"_s);
        QCOMPARE(audio(withOwnValues(quiet, {{index(&O::sound), u"1"_s}}, items, false)),
                 u"0! 0! 0! 0! 0! - -"_s);

        QCOMPARE(ownValuesText({{index(&O::renderer), u"2"_s},
                                {index(&O::fullScreen), u"1"_s},
                                {index(&O::showFps), u"0"_s},
                                {index(&O::resolution), u"640x480"_s}},
                               LanguageTextTable::english()),
                 u"renderer Software, show FPS off, full screen on, resolution 640x480"_s);
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "test_options.moc"
