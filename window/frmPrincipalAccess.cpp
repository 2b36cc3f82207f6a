// The window for the keyboard and for a screen reader: the focus order, the
// names a screen reader announces, switching tabs by key, and the size and
// place the window comes back at.

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"
#include "window/frmPrincipal.h"
#include "window/LinkLabel.h"
#include "window/LogBox.h"
#include "window/ValueCheckBox.h"

#include <QToolButton>
#include <QComboBox>
#include <QDir>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace rivonel {

namespace {

constexpr QSize startSize(758, 402);
const QString geometrySection = QStringLiteral("Window");
const QString geometryKey = QStringLiteral("Geometry");

} // namespace

QString frmPrincipal::geometryFile() const
{
    return m_platform.join(m_locations.settingsDirectory, QStringLiteral("rivonel-window.ini"));
}

// Reading order: the list, the picture, Play, the tabs and the shown tab's
// controls, the language, the link and the log box. Controls on the hidden
// tabs are passed over.
void frmPrincipal::setFocusOrder()
{
    txtlog->setTabChangesFocus(true);
    // Its tab headers take the focus in its place; left in the chain, it would
    // take it a second time after the log box.
    abas->setFocusPolicy(Qt::NoFocus); // which Qt passes on to the headers
    abas->findChild<QTabBar *>()->setFocusPolicy(Qt::TabFocus);
    const QWidgetList order =
        QWidgetList{lstGames, Picture1, cmdPlay, abas->findChild<QTabBar *>()} +
        // Vídeo: the check boxes, then the lists row by row.
        QWidgetList{chkFullScreen,     chkShowFPS,        chkFrameSkip,  chkFrameSkipAuto,
                    chkFrameLimit,     chkDithering,      chkEnableKeys, cboRend,
                    cboResolution,     cboColorDepth,     cboScanLines,  cboTextureFiltering,
                    cboTextureQuality, cboTextureCaching, txtFrameRate,  cboTurnDisplay,
                    cboBlending} +
        QWidgetList{chkSound,
                    chkSoundFilter,
                    txtSoundFilterCutoff,
                    chkStereoExciter,
                    chkSurroundLite,
                    chkSurroundLiteMultiplier,
                    txtSurroundMultiplier} +
        QWidgetList{txtZincDir, cmdProcuraZinc, txtRomDir, cmdProcuraRoms, chkUseLowGeometry} +
        QWidgetList{cboLang, cmdHelp, lblSite, txtlog};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// What a screen reader calls the controls no caption names.
void frmPrincipal::nameControls()
{
    lstGames->setAccessibleName(LanguageTexts.text(textKey::gamesListName));
    Picture1->setAccessibleName(LanguageTexts.text(textKey::pictureName));
    txtlog->setAccessibleName(LanguageTexts.text(textKey::logBoxName));
    cmdProcuraZinc->setAccessibleName(LanguageTexts.text(textKey::browseZincName));
    cmdProcuraRoms->setAccessibleName(LanguageTexts.text(textKey::browseRomName));
    // Its caption is a check box, which cannot be a buddy.
    txtSurroundMultiplier->setAccessibleName(chkSurroundLiteMultiplier->text());
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch tabs from anywhere
// in the window.
bool frmPrincipal::switchTabByKey(const QKeyEvent &key)
{
    if (key.modifiers() != Qt::ControlModifier &&
        key.modifiers() != (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    int step = 0;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        step = shift || key.key() == Qt::Key_Backtab ? -1 : 1;
    else if (!shift && (key.key() == Qt::Key_PageDown || key.key() == Qt::Key_PageUp))
        step = key.key() == Qt::Key_PageDown ? 1 : -1;
    if (step == 0)
        return false;
    const bool focusOnTab = abas->currentWidget()->isAncestorOf(focusWidget());
    abas->setCurrentIndex((abas->currentIndex() + step + abas->count()) % abas->count());
    // The focus leaves a tab that is no longer shown for the tab headers.
    if (focusOnTab)
        abas->findChild<QTabBar *>()->setFocus(Qt::TabFocusReason);
    return true;
}

// The marks of missing archives are coloured for the palette: a switch
// between light and dark colours them again.
void frmPrincipal::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Once the list has its new palette too: it gets it after the window.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        QMetaObject::invokeMethod(this, &frmPrincipal::showRomMarks, Qt::QueuedConnection);
}

void frmPrincipal::restoreWindowGeometry()
{
    // Wide enough for every list's longest item, in any language.
    resize(startSize.expandedTo(QSize(sizeHint().width(), minimumSizeHint().height())));
    const IniDocument::Reading saved = IniDocument::read(geometryFile());
    if (const auto geometry = saved.document.value(geometrySection, geometryKey))
        // Qt brings a place off every screen back onto one.
        restoreGeometry(QByteArray::fromBase64(geometry->toLatin1()));
}

void frmPrincipal::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Closed, not minimised: kept for the next start. Not being kept is no
    // reason to bother the user.
    if (event->spontaneous())
        return;
    IniDocument document;
    if (document.setValue(geometrySection, geometryKey,
                          QString::fromLatin1(saveGeometry().toBase64())) &&
        QDir().mkpath(m_locations.settingsDirectory))
        (void)writeFileAnew(geometryFile(), document.toBytes());
}

} // namespace rivonel
