// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/OptionControls.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/languages/LanguageSearch.h"
#include "core/languages/LanguageTextTable.h"
#include "core/options/Interlocks.h"
#include "core/options/LanguageLoad.h"
#include "core/options/OptionItems.h"
#include "core/options/SavedOptions.h"
#include "core/settings/IniDocument.h"
#include "core/system/ShownName.h"
#include "window/ControlTable.h"
#include "window/frmPrincipalUi.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSignalBlocker>

#include <span>

namespace rivonel {

namespace {

// Refills a list while keeping its selected position, so a chosen setting
// stays chosen under its new name (and no selection stays none).
void refillKeepingPosition(QComboBox *list, const QStringList &items)
{
    const int position = list->currentIndex();
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(position);
}

} // namespace

OptionControls::OptionControls(const frmPrincipalUi &ui) : m_ui(ui)
{
    // Each field with the caption before it, as the control table has them.
    QLabel *caption = nullptr;
    for (const ControlRow &row : pageControls()) {
        if (auto *label = qobject_cast<QLabel *>(row.widget(ui))) {
            caption = label;
            continue;
        }
        if (row.bind)
            row.bind(m_binder, ui, caption);
        caption = nullptr;
    }
    m_binder.bind(&OptionSet::game, ui.lstGames);
    m_binder.bind(&OptionSet::language, ui.cboLang, ui.lblLanguage);
    const OptionBinder &b = m_binder;
    Q_ASSERT_X(
        b.unboundKeys().isEmpty(), "OptionControls",
        qPrintable(QStringLiteral("options without a control: ") + b.unboundKeys().join(u", ")));
}

ListItems OptionControls::listItems() const
{
    return [this](ListChoice OptionSet::*list) { return m_binder.items(list); };
}

void OptionControls::showDefaults(Defaults which)
{
    const auto kinds = which == Defaults::Lists
                           ? entriesOfKind({SettingKind::ListPosition, SettingKind::ListText})
                           : entriesOfKind({SettingKind::Text, SettingKind::CheckState,
                                            SettingKind::CheckedWhenOne, SettingKind::SoundEnable});
    m_binder.show(defaultOptions(listItems()), kinds);
}

void OptionControls::listLanguages(const QStringList &folders, const PlatformConventions &platform,
                                   const QString &savedName)
{
    QList<QStringList> found;
    for (const QString &folder : folders)
        found << ProcuraArquivos(folder + platform.separator, QStringLiteral("*.ini"),
                                 [] { QCoreApplication::processEvents(); });
    const LanguageChoice choice = chooseLanguage(found, savedName);
    {
        // Qt selects the first item added to an empty list; only the
        // selection below may choose (and apply) a language.
        const QSignalBlocker quiet(m_ui.cboLang);
        // Each in its own words where its file gives them; the file's name is
        // what is kept.
        for (const QString &name : choice.names) {
            const QString own = languageOwnName(folders, name, platform);
            m_ui.cboLang->addItem(own.isEmpty() ? shownName(name) : own, name);
        }
        m_ui.cboLang->setCurrentIndex(-1);
    }
    m_ui.cboLang->setCurrentIndex(choice.selected);
}

void OptionControls::fillLists()
{
    const struct {
        QComboBox *list;
        std::span<const QStringView> items;
    } lists[] = {
        {m_ui.cboColorDepth, colorDepthItems},
        {m_ui.cboTextureCaching, zeroToTwoItems},
        {m_ui.cboBlending, zeroToTwoItems},
        {m_ui.cboTurnDisplay, zeroToTwoItems},
        {m_ui.cboResolution, resolutionItems},
        {m_ui.cboRend, rendererItems},
        {m_ui.cboTextureFiltering, textureFilteringItems},
    };
    for (const auto &entry : lists)
        for (QStringView item : entry.items)
            entry.list->addItem(item.toString());
}

void OptionControls::showLanguageLists(const LanguageTextTable &texts)
{
    refillKeepingPosition(m_ui.cboScanLines, scanLineItems(texts));
    refillKeepingPosition(m_ui.cboTextureQuality, textureQualityItems(texts));
    refillKeepingPosition(m_ui.cboPadStop, padStopItems(texts));
}

void OptionControls::showCaptions(const LanguageTextTable &texts)
{
    m_binder.setCaptions(texts);
}

bool OptionControls::load(const IniDocument &saved, bool soundDevice,
                          const PlatformConventions &platform)
{
    OptionSet unset = unsetOptions(listItems());
    // A first start runs on a plug-in the Zinc folder has.
    const int renderer =
        preferredRenderer(platform, savedValue(saved, optionEntry(&OptionSet::zincDirectory)));
    unset.renderer = {renderer, m_binder.items(&OptionSet::renderer).value(renderer)};
    const LoadedOptions loaded = loadOptions(
        m_binder.state(), [&saved](const OptionEntry &entry) { return storedValue(saved, entry); },
        listItems(), soundDevice, unset);
    m_binder.show(loaded.state);
    return loaded.soundLocked;
}

void OptionControls::runInterlockOf(int OptionSet::*changed)
{
    OptionState state = m_binder.state();
    runInterlock(state, changed);
    m_binder.show(state);
}

} // namespace rivonel
