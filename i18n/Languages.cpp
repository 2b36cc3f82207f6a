#include "app/frmPrincipal.h"
#include "app/ValueCheckBox.h"
#include "settings/modRegistry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QTabWidget>

namespace rivonel {

namespace {

const QString languageFolder = QStringLiteral("language");
const QString languageExtension = QStringLiteral(".ini");

// Refills a list while keeping its selected position, so a chosen setting
// stays chosen under its new name (and no selection stays none).
void refillKeepingPosition(QComboBox *list, const QStringList &items)
{
    const int position = list->currentIndex();
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(position);
}

// The captions a language sets, by text number; String08 names both buttons.
const struct {
    int number;
    const char *control;
} captions[] = {
    {2, "cmdPlay"},
    {4, "lblRenderer"},
    {5, "chkSound"},
    {6, "lblZincDir"},
    {7, "lblRomDir"},
    {8, "cmdProcuraZinc"},
    {8, "cmdProcuraRoms"},
    {17, "chkShowFPS"},
    {18, "chkFrameSkip"},
    {19, "chkFrameSkipAuto"},
    {20, "chkFrameLimit"},
    {21, "chkDithering"},
    {22, "lblResolution"},
    {23, "lblColorDepth"},
    {24, "lblScanlines"},
    {25, "lblTextureFiltering"},
    {26, "lblTextureQuality"},
    {27, "lblTextureCaching"},
    {28, "lblFrameRate"},
    {29, "lblTurnDisplay"},
    {30, "lblBlending"},
    {32, "chkSoundFilter"},
    {33, "chkStereoExciter"},
    {34, "chkSurroundLite"},
    {35, "chkSurroundLiteMultiplier"},
    {36, "chkUseLowGeometry"},
    {37, "lblLanguage"},
    {38, "chkFullScreen"},
    {40, "lblSoundFilterCutoff"},
};
constexpr int generalTab = 2;
constexpr int generalTabCaption = 31;

} // namespace

void frmPrincipal::ListaLinguas()
{
    m_searchedFolders.clear();
    ProcuraArquivos(m_platform.join(m_programDirectory, languageFolder) + m_platform.separator,
                    QStringLiteral("*.ini"));
}

void frmPrincipal::ProcuraArquivos(const QString &folder, const QString &pattern)
{
    const QDir dir(folder);
    // A folder reached twice (through a link) would never end the search.
    const QString canonical = dir.canonicalPath();
    if (!dir.exists() || canonical.isEmpty() || m_searchedFolders.contains(canonical))
        return;
    m_searchedFolders.insert(canonical);

    // Listed by name, as Windows lists its folders, so the order is the same everywhere.
    const QDir::SortFlags byName = QDir::Name | QDir::IgnoreCase;
    const QDir::Filters everyFile = QDir::Files | QDir::Hidden | QDir::System;
    for (const QString &file : dir.entryList({pattern}, everyFile, byName)) {
        QString name = file;
        name.remove(languageExtension, Qt::CaseSensitive);
        if (name == LanguageName)
            LanguageIndex = cboLang->count();
        {
            // Qt selects the first item added to an empty list; only the
            // selection below may choose (and apply) a language.
            const QSignalBlocker quiet(cboLang);
            cboLang->addItem(name);
            if (cboLang->count() == 1)
                cboLang->setCurrentIndex(-1);
        }
        QCoreApplication::processEvents();
    }
    // Selecting applies the language (cboLang_Click).
    cboLang->setCurrentIndex(LanguageIndex);

    const QDir::Filters everyFolder =
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    for (const QString &sub : dir.entryList(everyFolder, byName)) {
        QCoreApplication::processEvents();
        ProcuraArquivos(dir.filePath(sub), pattern);
    }
}

void frmPrincipal::cboLang_Click()
{
    CarregaLingua();
}

void frmPrincipal::cboLang_Change()
{
    CarregaLingua();
}

void frmPrincipal::CarregaLingua()
{
    LanguageName = cboLang->currentIndex() < 0 ? QString() : cboLang->currentText();
    // Always the file directly in the language folder, whatever folder listed it.
    const QString file = m_platform.join(m_platform.join(m_programDirectory, languageFolder),
                                         LanguageName + languageExtension);
    for (int number = 1; number <= LanguageTextTable::count; ++number) {
        modRegistry::Value value;
        m_settings->ReadValue(file, QStringLiteral("Language"), LanguageTextTable::keyName(number),
                              QStringLiteral("S"), QString(), value);
        LanguageTexts.set(number, modRegistry::toText(value));
    }

    rebuildLanguageLists(LanguageTexts);
    for (const auto &caption : captions)
        findChild<QWidget *>(QString::fromLatin1(caption.control))
            ->setProperty("text", LanguageTexts.text(caption.number));
    abas->setTabText(generalTab, LanguageTexts.text(generalTabCaption));
}

void frmPrincipal::rebuildLanguageLists(const LanguageTextTable &texts)
{
    refillKeepingPosition(cboScanLines, scanLineItems(texts));
    refillKeepingPosition(cboTextureQuality, textureQualityItems(texts));
}

} // namespace rivonel
