#include "window/ControlTable.h"

#include "core/languages/LanguageTextTable.h"
#include "window/frmPrincipalUi.h"
#include "window/ValueCheckBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <type_traits>

namespace rivonel {

namespace {

template <auto Slot> QWidget *make(frmPrincipalUi &ui, QWidget *page)
{
    using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(ui.*Slot)>>;
    if constexpr (std::is_constructible_v<Widget, QString, QWidget *>)
        ui.*Slot = new Widget(QString(), page);
    else
        ui.*Slot = new Widget(page);
    return ui.*Slot;
}

template <auto Slot> QWidget *widgetOf(const frmPrincipalUi &ui)
{
    return ui.*Slot;
}

template <auto Slot>
constexpr ControlRow control(Place place, const char *name, const char *caption = nullptr,
                             int captionKey = 0, int nameKey = 0, int digits = 0)
{
    return {&make<Slot>, &widgetOf<Slot>, place, name, caption, captionKey, nameKey, digits};
}

using U = frmPrincipalUi;
using A = Area;
const ControlRow rows[] = {
    // Vídeo: check boxes on the left, the lists and the frame rate in a
    // three-column grid on the right, in the order of the rows they form.
    control<&U::chkFullScreen>({A::VideoChecks, 0, 0}, "chkFullScreen", "Tela Inteira"),
    control<&U::chkShowFPS>({A::VideoChecks, 1, 0}, "chkShowFPS", "Mostrar FPS"),
    control<&U::chkFrameSkip>({A::VideoChecks, 2, 0}, "chkFrameSkip", "FrameSkip"),
    control<&U::chkFrameSkipAuto>({A::VideoChecks, 2, 0}, "chkFrameSkipAuto", "Auto"),
    control<&U::chkFrameLimit>({A::VideoChecks, 3, 0}, "chkFrameLimit", "Limitar Frames"),
    control<&U::chkDithering>({A::VideoChecks, 4, 0}, "chkDithering", "Dithering"),
    control<&U::chkEnableKeys>({A::VideoChecks, 5, 0}, "chkEnableKeys", "Ligar Teclas"),
    control<&U::lblRenderer>({A::VideoLists, 0, 0}, "lblRenderer", "Renderização:"),
    control<&U::cboRend>({A::VideoLists, 0, 0}, "cboRend"),
    control<&U::lblResolution>({A::VideoLists, 0, 1}, "lblResolution", "Resolução:"),
    control<&U::cboResolution>({A::VideoLists, 0, 1}, "cboResolution"),
    control<&U::lblColorDepth>({A::VideoLists, 0, 2}, "lblColorDepth", "Taxa de Cor:"),
    control<&U::cboColorDepth>({A::VideoLists, 0, 2}, "cboColorDepth"),
    control<&U::lblScanlines>({A::VideoLists, 1, 0}, "lblScanlines", "Scanlines:"),
    control<&U::cboScanLines>({A::VideoLists, 1, 0}, "cboScanLines"),
    control<&U::lblTextureFiltering>({A::VideoLists, 1, 1}, "lblTextureFiltering",
                                     "Filtrar texturas:"),
    control<&U::cboTextureFiltering>({A::VideoLists, 1, 1}, "cboTextureFiltering"),
    control<&U::lblTextureQuality>({A::VideoLists, 1, 2}, "lblTextureQuality", "Qualidade:"),
    control<&U::cboTextureQuality>({A::VideoLists, 1, 2}, "cboTextureQuality"),
    control<&U::lblTextureCaching>({A::VideoLists, 2, 0}, "lblTextureCaching", "Cache"),
    control<&U::cboTextureCaching>({A::VideoLists, 2, 0}, "cboTextureCaching"),
    control<&U::lblFrameRate>({A::VideoLists, 2, 1}, "lblFrameRate", "Taxa de Frames:"),
    control<&U::txtFrameRate>({A::VideoLists, 2, 1}, "txtFrameRate"),
    control<&U::lblTurnDisplay>({A::VideoLists, 2, 2}, "lblTurnDisplay", "Mudar tela:"),
    control<&U::cboTurnDisplay>({A::VideoLists, 2, 2}, "cboTurnDisplay"),
    control<&U::lblBlending>({A::VideoLists, 3, 0}, "lblBlending", "Brilho:"),
    control<&U::cboBlending>({A::VideoLists, 3, 0}, "cboBlending"),
    // Audio.
    control<&U::chkSound>({A::AudioLeft, 0, 0}, "chkSound", "Habilitar Som"),
    control<&U::chkSoundFilter>({A::AudioLeft, 1, 0}, "chkSoundFilter", "Filtrar Som"),
    control<&U::lblSoundFilterCutoff>({A::AudioLeft, 1, 0}, "lblSoundFilterCutoff", "Corte:"),
    control<&U::txtSoundFilterCutoff>({A::AudioLeft, 1, 0}, "txtSoundFilterCutoff", nullptr, 0,
                                      0, 5),
    control<&U::chkStereoExciter>({A::AudioLeft, 2, 0}, "chkStereoExciter", "Stereo"),
    control<&U::chkSurroundLite>({A::AudioRight, 0, 0}, "chkSurroundLite", "Surround"),
    control<&U::chkSurroundLiteMultiplier>({A::AudioRight, 1, 0}, "chkSurroundLiteMultiplier",
                                           "Multiplicador de surround"),
    control<&U::txtSurroundMultiplier>({A::AudioRight, 1, 0}, "txtSurroundMultiplier", nullptr, 0,
                                       0, 3),
    // Geral.
    control<&U::lblZincDir>({A::General, 0, 0, 2}, "lblZincDir", "Diretório do Zinc:"),
    control<&U::txtZincDir>({A::General, 1, 0}, "txtZincDir"),
    control<&U::cmdProcuraZinc>({A::General, 1, 1}, "cmdProcuraZinc", "Procurar",
                                textKey::browseCaption, textKey::browseZincName),
    control<&U::lblRomDir>({A::General, 2, 0, 2}, "lblRomDir", "Diretório de Roms"),
    control<&U::txtRomDir>({A::General, 3, 0}, "txtRomDir"),
    control<&U::cmdProcuraRoms>({A::General, 3, 1}, "cmdProcuraRoms", "Procurar",
                                textKey::browseCaption, textKey::browseRomName),
    control<&U::chkUseLowGeometry>({A::General, 4, 0, 2}, "chkUseLowGeometry",
                                   "Usar baixa geometria"),
};

} // namespace

std::span<const ControlRow> pageControls()
{
    return rows;
}

} // namespace rivonel
