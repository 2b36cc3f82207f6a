// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProfileStore.h"

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <QFileInfo>

namespace rivonel {

namespace {

// The value's leading whole number, 0 when it does not start with one.
int leadingNumber(const QString &value)
{
    qsizetype end = value.startsWith(u'+') || value.startsWith(u'-') ? 1 : 0;
    while (end < value.size() && value.at(end).isDigit())
        ++end;
    bool ok = false;
    const int number = value.left(end).toInt(&ok);
    return ok ? number : 0;
}

} // namespace

bool ProfileStore::isSettingsFile(const QString &location) const
{
    if (location.isEmpty())
        return false;
    const QFileInfo info(location);
    return info.isFile() && !info.isHidden();
}

QString IniProfileStore::readText(const QString &path, const QString &section, const QString &key,
                                  const QString &defaultText) const
{
    return IniDocument::read(path)
        .document.value(section, key)
        .value_or(defaultText.left(IniDocument::maxValueLength));
}

int IniProfileStore::readNumber(const QString &path, const QString &section,
                                const QString &key) const
{
    const auto text = IniDocument::read(path).document.value(section, key);
    return text ? leadingNumber(*text) : 0;
}

bool IniProfileStore::writeText(const QString &path, const QString &section, const QString &key,
                                const QString &value)
{
    IniDocument::Reading file = IniDocument::read(path);
    if (file.status != IniDocument::ReadStatus::Read)
        return false;
    const QByteArray before = file.document.toBytes();
    if (!file.document.setValue(section, key, value))
        return false;
    const QByteArray after = file.document.toBytes();
    return after == before || writeFileAnew(path, after);
}

} // namespace rivonel
