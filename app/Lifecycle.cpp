#include "app/frmPrincipal.h"
#include "app/ImageList.h"
#include "app/LogBox.h"
#include "app/OptionLists.h"
#include "app/ProgramInfo.h"
#include "platform/Desktop.h"

#include <QComboBox>
#include <QFile>
#include <QTimer>

#include <span>

namespace rivonel {

namespace {
void appendItems(QComboBox *list, std::span<const QStringView> items)
{
    for (QStringView item : items)
        list->addItem(item.toString());
}
} // namespace

void frmPrincipal::Form_Load()
{
    const QString title = rivonel::windowTitle(programVersion());
    setWindowTitle(title);

    LanguageName = readStartupSetting(QStringLiteral("Language"));
    ListaLinguas();
    // Without any language file the two language-dependent lists would stay
    // empty and their positions meaningless; give them the design-time texts.
    if (cboScanLines->count() == 0 || cboTextureQuality->count() == 0)
        rebuildLanguageLists(LanguageTextTable::designTimeListTexts());
    cboScanLines->setCurrentIndex(0);
    cboTextureQuality->setCurrentIndex(0);

    fillOptionLists();
    AdicionaGames();

    LastGameValue = readStartupSetting(QStringLiteral("LastGame"));
    CarregaPadrao();

    // Replaces the selection line the load leaves behind; a notice from the
    // load still reaches the user, on a line of its own.
    QString log = startupLog(title, webAddress());
    if (!m_startupNotice.isEmpty())
        log += QStringLiteral("\r\n") + m_startupNotice;
    txtlog->setText(log);
}

void frmPrincipal::fillOptionLists()
{
    const struct {
        QComboBox *list;
        std::span<const QStringView> items;
        int start;
    } lists[] = {
        {cboColorDepth, colorDepthItems, 0},
        {cboTextureCaching, zeroToTwoItems, 0},
        {cboBlending, zeroToTwoItems, 0},
        {cboTurnDisplay, zeroToTwoItems, 0},
        {cboResolution, resolutionItems, resolutionStartPosition},
        {cboRend, rendererItems, 0},
        {cboTextureFiltering, textureFilteringItems, 0},
    };
    for (const auto &entry : lists) {
        appendItems(entry.list, entry.items);
        entry.list->setCurrentIndex(entry.start);
    }
}

void frmPrincipal::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;

    // Each step runs whatever the one before it did; nothing here may keep
    // the program from ending. A running emulator is left alone, and so is its
    // script: the shell may not have read it yet.
    if (!m_desktop.launchRunning())
        QFile::remove(programFile(m_platform.launchScriptName));
    GravaPadrao();
    // No handler runs after this; the emulator's log is left to it.
    m_watchingRun = false;
    Timer1->stop();
}

} // namespace rivonel
