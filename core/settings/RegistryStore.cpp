// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/RegistryStore.h"

#include "core/system/SafeOpen.h"
#include "core/system/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace rivonel {

namespace {

// One line per key ("K root path") and per value ("V root path name type hex"),
// fields separated by tabs, names percent-encoded.
struct Entry {
    bool isValue = false;
    quint32 root = 0;
    QString keyPath;
    QString name;
    quint32 type = 0;
    QByteArray data;
};

QByteArray encodeName(const QString &name)
{
    return QUrl::toPercentEncoding(name);
}

QString decodeName(const QByteArray &field)
{
    return QUrl::fromPercentEncoding(field);
}

QList<Entry> load(const QString &path)
{
    QList<Entry> entries;
    QFile file;
    if (openRegularFile(path, file) != OpenResult::Opened)
        return entries;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() == 3 && f[0] == "K")
            entries.append({false, f[1].toUInt(nullptr, 16), decodeName(f[2]), {}, 0, {}});
        else if (f.size() == 6 && f[0] == "V")
            entries.append({true, f[1].toUInt(nullptr, 16), decodeName(f[2]), decodeName(f[3]),
                            f[4].toUInt(), QByteArray::fromHex(f[5])});
    }
    return entries;
}

bool save(const QString &path, const QList<Entry> &entries)
{
    QByteArray text;
    for (const Entry &e : entries) {
        const QByteArray root = QByteArray::number(e.root, 16);
        if (e.isValue)
            text += "V\t" + root + '\t' + encodeName(e.keyPath) + '\t' + encodeName(e.name) + '\t' +
                    QByteArray::number(e.type) + '\t' + e.data.toHex() + '\n';
        else
            text += "K\t" + root + '\t' + encodeName(e.keyPath) + '\n';
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return writeFileAnew(path, text);
}

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasKey(const QList<Entry> &entries, quint32 root, const QString &keyPath)
{
    return std::any_of(entries.begin(), entries.end(), [&](const Entry &e) {
        return !e.isValue && e.root == root && same(e.keyPath, keyPath);
    });
}

} // namespace

FileRegistryStore::FileRegistryStore(QString path) : m_path(std::move(path))
{
}

qint32 FileRegistryStore::openKey(quint32 root, const QString &keyPath)
{
    return hasKey(load(m_path), root, keyPath) ? registry::success : registry::fileNotFound;
}

qint32 FileRegistryStore::createKey(quint32 root, const QString &keyPath)
{
    QList<Entry> entries = load(m_path);
    // Like the registry, creating a key creates the keys above it.
    const QStringList parts = keyPath.split(u'\\', Qt::SkipEmptyParts);
    bool changed = false;
    for (qsizetype i = 1; i <= parts.size(); ++i) {
        const QString path = parts.first(i).join(u'\\');
        if (!hasKey(entries, root, path)) {
            entries.append({false, root, path, {}, 0, {}});
            changed = true;
        }
    }
    if (parts.isEmpty() || !changed)
        return registry::success;
    return save(m_path, entries) ? registry::success : registry::accessDenied;
}

qint32 FileRegistryStore::queryValue(quint32 root, const QString &keyPath, const QString &name,
                                     QByteArray *data)
{
    for (const Entry &e : load(m_path))
        if (e.isValue && e.root == root && same(e.keyPath, keyPath) && same(e.name, name)) {
            *data = e.data;
            return registry::success;
        }
    return registry::fileNotFound;
}

qint32 FileRegistryStore::setValue(quint32 root, const QString &keyPath, const QString &name,
                                   quint32 type, const QByteArray &data)
{
    QList<Entry> entries = load(m_path);
    if (!keyPath.isEmpty() && !hasKey(entries, root, keyPath))
        return registry::fileNotFound;
    auto existing = std::find_if(entries.begin(), entries.end(), [&](const Entry &e) {
        return e.isValue && e.root == root && same(e.keyPath, keyPath) && same(e.name, name);
    });
    if (existing != entries.end()) {
        existing->type = type;
        existing->data = data;
    } else {
        entries.append({true, root, keyPath, name, type, data});
    }
    return save(m_path, entries) ? registry::success : registry::accessDenied;
}

} // namespace rivonel
