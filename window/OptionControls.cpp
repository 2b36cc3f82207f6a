#include "window/OptionControls.h"

#include "core/languages/LanguageSearch.h"
#include "core/languages/LanguageTextTable.h"
#include "core/options/Interlocks.h"
#include "core/options/OptionItems.h"
#include "core/options/SavedOptions.h"
#include "core/settings/IniDocument.h"
#include "window/frmPrincipalUi.h"

#include <QComboBox>
#include <QCoreApplication>
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
    using O = OptionSet;
    OptionBinder &b = m_binder;
    b.bind(&O::renderer, ui.cboRend, ui.lblRenderer);
    b.bind(&O::resolution, ui.cboResolution, ui.lblResolution);
    b.bind(&O::colorDepth, ui.cboColorDepth, ui.lblColorDepth);
    b.bind(&O::scanLines, ui.cboScanLines, ui.lblScanlines);
    b.bind(&O::textureFiltering, ui.cboTextureFiltering, ui.lblTextureFiltering);
    b.bind(&O::textureQuality, ui.cboTextureQuality, ui.lblTextureQuality);
    b.bind(&O::textureCaching, ui.cboTextureCaching, ui.lblTextureCaching);
    b.bind(&O::turnDisplay, ui.cboTurnDisplay, ui.lblTurnDisplay);
    b.bind(&O::blending, ui.cboBlending, ui.lblBlending);
    b.bind(&O::frameRate, ui.txtFrameRate, ui.lblFrameRate);
    b.bind(&O::fullScreen, ui.chkFullScreen);
    b.bind(&O::showFps, ui.chkShowFPS);
    b.bind(&O::frameSkip, ui.chkFrameSkip);
    b.bind(&O::frameSkipAuto, ui.chkFrameSkipAuto);
    b.bind(&O::frameLimit, ui.chkFrameLimit);
    b.bind(&O::dithering, ui.chkDithering);
    b.bind(&O::enableKeys, ui.chkEnableKeys);
    b.bind(&O::sound, ui.chkSound);
    b.bind(&O::soundFilter, ui.chkSoundFilter);
    b.bind(&O::soundFilterCutoff, ui.txtSoundFilterCutoff, ui.lblSoundFilterCutoff);
    b.bind(&O::stereoExciter, ui.chkStereoExciter);
    b.bind(&O::surroundLite, ui.chkSurroundLite);
    b.bind(&O::surroundLiteMultiplier, ui.chkSurroundLiteMultiplier);
    b.bind(&O::surroundMultiplier, ui.txtSurroundMultiplier);
    b.bind(&O::zincDirectory, ui.txtZincDir, ui.lblZincDir);
    b.bind(&O::romDirectory, ui.txtRomDir, ui.lblRomDir);
    b.bind(&O::useLowGeometry, ui.chkUseLowGeometry);
    b.bind(&O::game, ui.lstGames);
    b.bind(&O::language, ui.cboLang, ui.lblLanguage);
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

void OptionControls::listLanguages(const QStringList &folders, const QString &separator,
                                   const QString &savedName)
{
    QList<QStringList> found;
    for (const QString &folder : folders)
        found << ProcuraArquivos(folder + separator, QStringLiteral("*.ini"),
                                 [] { QCoreApplication::processEvents(); });
    const LanguageChoice choice = chooseLanguage(found, savedName);
    {
        // Qt selects the first item added to an empty list; only the
        // selection below may choose (and apply) a language.
        const QSignalBlocker quiet(m_ui.cboLang);
        m_ui.cboLang->addItems(choice.names);
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
}

void OptionControls::showCaptions(const LanguageTextTable &texts)
{
    m_binder.setCaptions(texts);
}

bool OptionControls::load(const IniDocument &saved, bool soundDevice)
{
    const LoadedOptions loaded = loadOptions(
        m_binder.state(),
        [&saved](const OptionEntry &entry) { return savedValue(saved, entry); }, listItems(),
        soundDevice);
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
