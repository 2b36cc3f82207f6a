// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowsRegistryStore.h"

#include "win32/Registry.h"

namespace rivonel {

namespace {

std::string ansi(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

qint32 WindowsRegistryStore::openKey(quint32 root, const QString &keyPath)
{
    return win32::openKey(root, ansi(keyPath));
}

qint32 WindowsRegistryStore::createKey(quint32 root, const QString &keyPath)
{
    return win32::createKey(root, ansi(keyPath));
}

qint32 WindowsRegistryStore::queryValue(quint32 root, const QString &keyPath, const QString &name,
                                        QByteArray *data)
{
    std::string bytes;
    const long status = win32::queryValue(root, ansi(keyPath), ansi(name), bytes);
    *data = QByteArray::fromStdString(bytes);
    return status;
}

qint32 WindowsRegistryStore::setValue(quint32 root, const QString &keyPath, const QString &name,
                                      quint32 type, const QByteArray &data)
{
    return win32::setValue(root, ansi(keyPath), ansi(name), type, data.toStdString());
}

} // namespace rivonel
