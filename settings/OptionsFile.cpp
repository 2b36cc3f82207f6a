#include "app/frmPrincipal.h"
#include "app/ImageList.h"
#include "app/LogBox.h"
#include "app/ValueCheckBox.h"
#include "games/GameTable.h"
#include "platform/Desktop.h"
#include "settings/modRegistry.h"
#include "settings/SettingKind.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <optional>

namespace rivonel {

namespace {

using Kind = SettingKind;

struct SavedOption {
    const char *section;
    const char *key;
    const char *control;
    Kind kind;
    const char *loadKey = nullptr; // where the load reads another spelling
};

// Every saved option, in the order the save writes them.
const SavedOption savedOptions[] = {
    {"General", "RomPath", "txtRomDir", Kind::Text},
    {"General", "ZincPath", "txtZincDir", Kind::Text},
    {"General", "LastGame", "lstGames", Kind::LastGame},
    {"General", "Language", "cboLang", Kind::Language},
    // Without this the low geometry choice could never be kept.
    {"General", "UseLowGeometry", "chkUseLowGeometry", Kind::CheckedWhenOne},
    {"Audio", "SoundEnable", "chkSound", Kind::SoundEnable},
    {"Audio", "SoundFilter", "chkSoundFilter", Kind::CheckState},
    {"Audio", "SoundCutoff", "txtSoundFilterCutoff", Kind::Text},
    {"Audio", "StereoExciter", "chkStereoExciter", Kind::CheckState},
    {"Audio", "SurroundLite", "chkSurroundLite", Kind::CheckState},
    {"Audio", "SurroundLiteMultiplierEnabled", "chkSurroundLiteMultiplier", Kind::CheckState},
    {"Audio", "SurroundLiteMultiplier", "txtSurroundMultiplier", Kind::Text},
    {"Video", "Renderer", "cboRend", Kind::ListPosition},
    {"Video", "ShowFPS", "chkShowFPS", Kind::CheckState},
    {"Video", "FrameSkip", "chkFrameSkip", Kind::CheckState},
    {"Video", "FrameSkipAuto", "chkFrameSkipAuto", Kind::CheckState},
    {"Video", "FrameLimit", "chkFrameLimit", Kind::CheckState},
    {"Video", "Dithering", "chkDithering", Kind::CheckState},
    {"Video", "EnableKeys", "chkEnableKeys", Kind::CheckState},
    {"Video", "FullScreen", "chkFullScreen", Kind::CheckState},
    {"Video", "Resolution", "cboResolution", Kind::ListText},
    {"Video", "ColorDepth", "cboColorDepth", Kind::ListText},
    {"Video", "Scanlines", "cboScanLines", Kind::ListText, "ScanLines"},
    {"Video", "TextureFiltering", "cboTextureFiltering", Kind::ListText},
    {"Video", "TextureQuality", "cboTextureQuality", Kind::ListText},
    {"Video", "TextureCaching", "cboTextureCaching", Kind::ListText},
    {"Video", "FrameRate", "txtFrameRate", Kind::Text},
    {"Video", "TurnDisplay", "cboTurnDisplay", Kind::ListText},
    {"Video", "Blending", "cboBlending", Kind::ListText},
};

QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

std::optional<int> wholeNumber(const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

QString frmPrincipal::settingsPath() const
{
    return programFile(settingsFileName);
}

QString frmPrincipal::readSetting(const QString &section, const QString &key) const
{
    modRegistry::Value value;
    m_settings->ReadValue(settingsPath(), section, key, QStringLiteral("S"), QString(), value);
    return modRegistry::toText(value);
}

QString frmPrincipal::readStartupSetting(const QString &key) const
{
    return readSetting(QStringLiteral("General"), key);
}

void frmPrincipal::selectGamePosition(int position)
{
    if (position < 0) {
        lstGames->clearSelection();
        lstGames->setCurrentRow(-1);
        return;
    }
    lstGames->setCurrentRow(position);
    lstGames->item(position)->setSelected(true);
}

// A text that cannot serve a control (not a number, out of range, no such
// item) leaves the control as it is.
void frmPrincipal::applySetting(QObject *control, SettingKind kind, const QString &value)
{
    const auto number = wholeNumber(value);
    switch (kind) {
    case Kind::Text:
        static_cast<QLineEdit *>(control)->setText(value);
        break;
    case Kind::CheckState:
        if (number && *number >= 0 && *number <= ValueCheckBox::Grayed)
            static_cast<ValueCheckBox *>(control)->setValue(*number);
        break;
    case Kind::SoundEnable:
        // A machine that cannot play sound gets it off, whatever was saved.
        if (m_desktop.soundOutputCount() < 1) {
            chkSound->setValue(ValueCheckBox::Unchecked);
            chkSound->setEnabled(false);
            txtlog->setText(LanguageTexts.text(39));
            m_startupNotice = LanguageTexts.text(39);
            break;
        }
        [[fallthrough]];
    case Kind::CheckedWhenOne:
        if (number)
            static_cast<ValueCheckBox *>(control)->setValue(*number == 1 ? 1 : 0);
        break;
    case Kind::ListPosition: {
        auto *list = static_cast<QComboBox *>(control);
        if (number && *number >= -1 && *number < list->count())
            list->setCurrentIndex(*number);
        break;
    }
    case Kind::ListText: {
        auto *list = static_cast<QComboBox *>(control);
        const int position = value.isEmpty() ? -1 : list->findText(value, Qt::MatchExactly);
        if (position >= 0)
            list->setCurrentIndex(position);
        break;
    }
    case Kind::LastGame:
    case Kind::Language:
        break; // start-up reads these itself
    }
}

QString frmPrincipal::settingText(QObject *control, SettingKind kind) const
{
    switch (kind) {
    case Kind::Text:
        return static_cast<QLineEdit *>(control)->text();
    case Kind::CheckState:
    case Kind::CheckedWhenOne:
    case Kind::SoundEnable:
        return QString::number(static_cast<ValueCheckBox *>(control)->value());
    case Kind::ListPosition:
        return QString::number(static_cast<QComboBox *>(control)->currentIndex());
    case Kind::ListText:
    case Kind::Language:
        return static_cast<QComboBox *>(control)->currentText();
    case Kind::LastGame:
        return QString::number(gameNumber(selectedGamePosition()));
    }
    return {};
}

void frmPrincipal::CarregaPadrao()
{
    if (!LastGameValue.isEmpty()) {
        const auto number = wholeNumber(LastGameValue);
        if (number && *number >= 0 && *number <= lstGames->count())
            selectGamePosition(*number - 1);
    } else {
        showPicture(ImageList1->image(0));
    }
    lstGames_Click();

    // In the table's order, so the check box rules follow the restored values
    // as they arrive (sound before its effects).
    for (const SavedOption &option : savedOptions)
        applySetting(
            findChild<QObject *>(text(option.control)), option.kind,
            readSetting(text(option.section), text(option.loadKey ? option.loadKey : option.key)));
}

void frmPrincipal::GravaPadrao()
{
    // The file is never created here: without one nothing is kept.
    const QString path = settingsPath();
    for (const SavedOption &option : savedOptions) {
        QObject *control = findChild<QObject *>(text(option.control));
        m_settings->WriteValue(path, text(option.section), text(option.key), QStringLiteral("S"),
                               settingText(control, option.kind));
    }
}

} // namespace rivonel
