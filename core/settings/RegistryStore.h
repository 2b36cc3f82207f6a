// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace rivonel {

namespace registry {
inline constexpr qint32 success = 0;
inline constexpr qint32 fileNotFound = 2; // no such key or value
inline constexpr qint32 accessDenied = 5;
inline constexpr qint32 moreData = 234; // the value does not fit the buffer
inline constexpr quint32 typeString = 1;
inline constexpr quint32 typeBinary = 3;
inline constexpr quint32 typeDword = 4;
} // namespace registry

// Keys and values under the registry's predefined roots, with the registry's
// status codes. Key paths and value names match without regard to case.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    virtual qint32 openKey(quint32 root, const QString &keyPath) = 0;
    virtual qint32 createKey(quint32 root, const QString &keyPath) = 0;
    // The value's bytes as stored; fileNotFound when the key or value is missing.
    virtual qint32 queryValue(quint32 root, const QString &keyPath, const QString &name,
                              QByteArray *data) = 0;
    virtual qint32 setValue(quint32 root, const QString &keyPath, const QString &name, quint32 type,
                            const QByteArray &data) = 0;
};

// Where there is no registry: values kept in one file, each with its
// registry type and bytes.
class FileRegistryStore final : public RegistryStore {
public:
    explicit FileRegistryStore(QString path);

    qint32 openKey(quint32 root, const QString &keyPath) override;
    qint32 createKey(quint32 root, const QString &keyPath) override;
    qint32 queryValue(quint32 root, const QString &keyPath, const QString &name,
                      QByteArray *data) override;
    qint32 setValue(quint32 root, const QString &keyPath, const QString &name, quint32 type,
                    const QByteArray &data) override;

private:
    QString m_path;
};

} // namespace rivonel
