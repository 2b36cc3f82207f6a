#include "app/frmPrincipal.h"

#include <QComboBox>

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

// Language files are not searched yet; the window keeps its design-time texts.
void frmPrincipal::ListaLinguas()
{
}

void frmPrincipal::rebuildLanguageLists(const LanguageTextTable &texts)
{
    refillKeepingPosition(cboScanLines, scanLineItems(texts));
    refillKeepingPosition(cboTextureQuality, textureQualityItems(texts));
}

} // namespace rivonel
