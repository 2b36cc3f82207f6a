#include "app/frmPrincipal.h"
#include "app/LogBox.h"
#include "app/ProgramInfo.h"
#include "app/ValueCheckBox.h"
#include "emulator/EmulatorInterface.h"
#include "emulator/OptionFiles.h"

#include <QComboBox>
#include <QLineEdit>

namespace rivonel {

namespace {
ListChoice choice(const QComboBox *list)
{
    return {list->currentIndex(), list->currentText()};
}
} // namespace

OptionSet frmPrincipal::currentOptions() const
{
    OptionSet o;
    o.renderer = choice(cboRend);
    o.resolution = choice(cboResolution);
    o.colorDepth = choice(cboColorDepth);
    o.scanLines = choice(cboScanLines);
    o.textureFiltering = choice(cboTextureFiltering);
    o.textureQuality = choice(cboTextureQuality);
    o.textureCaching = choice(cboTextureCaching);
    o.turnDisplay = choice(cboTurnDisplay);
    o.blending = choice(cboBlending);
    o.frameRate = txtFrameRate->text();
    o.fullScreen = chkFullScreen->value();
    o.showFps = chkShowFPS->value();
    o.frameSkip = chkFrameSkip->value();
    o.frameSkipAuto = chkFrameSkipAuto->value();
    o.frameLimit = chkFrameLimit->value();
    o.dithering = chkDithering->value();
    o.enableKeys = chkEnableKeys->value();
    o.sound = chkSound->value();
    o.soundFilter = chkSoundFilter->value();
    o.soundFilterCutoff = txtSoundFilterCutoff->text();
    o.stereoExciter = chkStereoExciter->value();
    o.surroundLite = chkSurroundLite->value();
    o.surroundLiteMultiplier = chkSurroundLiteMultiplier->value();
    o.surroundMultiplier = txtSurroundMultiplier->text();
    o.zincDirectory = txtZincDir->text();
    o.romDirectory = txtRomDir->text();
    o.useLowGeometry = chkUseLowGeometry->value();
    return o;
}

bool frmPrincipal::GeraZincCFG()
{
    const OptionSet options = currentOptions();
    return writeFileAnew(m_platform.join(options.zincDirectory, zincConfigFileName.toString()),
                         textFileBytes(zincConfigLines(options, webAddress()), m_platform.lineEnd));
}

bool frmPrincipal::GeraRendererCFG()
{
    const OptionSet options = currentOptions();
    return writeFileAnew(
        m_platform.join(options.zincDirectory, rendererConfigFileName.toString()),
        textFileBytes(rendererConfigLines(options, webAddress()), m_platform.lineEnd));
}

} // namespace rivonel
