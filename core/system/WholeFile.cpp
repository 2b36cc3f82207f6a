#include "core/system/WholeFile.h"

#include <QSaveFile>

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

} // namespace rivonel
