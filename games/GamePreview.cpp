#include "app/frmPrincipal.h"
#include "app/ImageList.h"
#include "app/LogBox.h"
#include "games/GameTable.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>

namespace rivonel {

namespace {
const QString snapFolder = QStringLiteral("snap");
const QString snapExtension = QStringLiteral(".jpg");
} // namespace

void frmPrincipal::lstGames_Click()
{
    const int position = selectedGamePosition();
    const QString title = position < 0 ? QString() : lstGames->item(position)->text();
    // Written first, so it stands even when the picture fails.
    txtlog->setText(LanguageTexts.text(1) + QStringLiteral(": ") +
                    QString::number(gameNumber(position)) + QStringLiteral(" - ") + title);

    const std::optional<QString> rom = RomSetNames.at(position);
    const QString path =
        rom ? m_platform.join(programFile(snapFolder), *rom + snapExtension) : QString();
    if (!rom || !QFileInfo(path).isFile()) {
        showPicture(ImageList1->image(0));
        return;
    }
    // A file that is there but is no picture leaves the last one in place.
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (!picture.isNull())
        showPicture(picture);
}

void frmPrincipal::lstGames_DblClick()
{
    cmdPlay_Click();
}

void frmPrincipal::showPicture(const QImage &picture)
{
    const QSize box = Picture1->contentsRect().size();
    const QImage fitted = picture.size() == box || box.isEmpty()
                              ? picture
                              : picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Picture1->setPixmap(QPixmap::fromImage(fitted));
}

} // namespace rivonel
