#include "core/system/WholeFile.h"

#include <QSaveFile>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace rivonel {

bool writeFileAnew(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so a write that fails (a full disk) is seen before the
    // commit: a failure while flushing a buffer would still be committed.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}

void removeUnfinishedWrites(const QString &path)
{
    // QSaveFile writes next to the file under its name and six more letters.
    const QFileInfo file(path);
    const QRegularExpression copy(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = file.dir();
    for (const QString &name :
         folder.entryList({file.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        if (copy.match(name).hasMatch())
            folder.remove(name);
}

} // namespace rivonel
