// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/modRegistry.h"

#include <QtEndian>

#include <array>
#include <cmath>
#include <optional>

namespace rivonel {

namespace {

constexpr std::array<std::pair<const char *, quint32>, 6> roots{{
    {"HKCU", 0x80000001},
    {"HKLM", 0x80000002},
    {"HKU", 0x80000003},
    {"HKDD", 0x80000006},
    {"HKCC", 0x80000005},
    {"HKCR", 0x80000000},
}};

std::optional<bool> toBoolean(const modRegistry::Value &value)
{
    if (const bool *b = std::get_if<bool>(&value))
        return *b;
    if (const qint64 *n = std::get_if<qint64>(&value))
        return *n != 0;
    const QString text = std::get<QString>(value).trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool number = false;
    const double d = text.toDouble(&number);
    return number ? std::optional<bool>(d != 0) : std::nullopt;
}

// A 16-bit signed whole number, as the registry's "D" writes take them.
std::optional<qint16> toInt16(const modRegistry::Value &value)
{
    double d = 0;
    if (const bool *b = std::get_if<bool>(&value)) {
        d = *b ? -1 : 0;
    } else if (const qint64 *n = std::get_if<qint64>(&value)) {
        d = static_cast<double>(*n);
    } else {
        bool number = false;
        d = std::nearbyint(std::get<QString>(value).trimmed().toDouble(&number));
        if (!number)
            return std::nullopt;
    }
    if (d < -32768 || d > 32767)
        return std::nullopt;
    return static_cast<qint16>(d);
}

QByteArray littleEndian(qint32 number, int bytes)
{
    QByteArray data(4, '\0');
    qToLittleEndian(number, data.data());
    return data.left(bytes);
}

} // namespace

modRegistry::modRegistry(RegistryStore &registry, ProfileStore &profiles)
    : m_registry(registry), m_profiles(profiles)
{
}

quint32 modRegistry::RootFromName(const QString &location) const
{
    const QString upper = location.toUpper();
    for (const auto &[name, handle] : roots)
        if (upper == QLatin1String(name))
            return handle;
    return m_profiles.isSettingsFile(location) ? settingsFile : unknownLocation;
}

QString modRegistry::toText(const Value &value)
{
    if (const bool *b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    if (const qint64 *n = std::get_if<qint64>(&value))
        return QString::number(*n);
    return std::get<QString>(value);
}

qint32 modRegistry::ReadValue(const QString &location, const QString &keyPath,
                              const QString &valueName, const QString &valueType,
                              const Value &defaultValue, Value &result) const
{
    result = defaultValue;
    const quint32 handle = RootFromName(location);
    if (handle == unknownLocation)
        return statusRefused;
    const QString type = valueType.toUpper();

    if (handle == settingsFile) {
        if (type == QStringLiteral("S"))
            result = m_profiles.readText(location, keyPath, valueName, toText(defaultValue));
        else
            result = qint64(m_profiles.readNumber(location, keyPath, valueName));
        return statusOk;
    }

    qint32 status = m_registry.openKey(handle, keyPath);
    if (status != registry::success)
        return status;
    if (type != QStringLiteral("S") && type != QStringLiteral("B") && type != QStringLiteral("D"))
        return statusOk;
    QByteArray data;
    status = m_registry.queryValue(handle, keyPath, valueName, &data);
    if (status != registry::success)
        return status;

    if (type == QStringLiteral("S")) {
        // The stored terminating zero is dropped; an empty value keeps the default.
        if (!data.isEmpty())
            result = QString::fromLocal8Bit(data.left(data.size() - 1));
    } else {
        const int size = type == QStringLiteral("B") ? 2 : 4;
        if (data.size() > size)
            return registry::moreData;
        data.append(QByteArray(size - data.size(), '\0'));
        if (size == 2)
            result = qFromLittleEndian<qint16>(data.constData()) != 0;
        else
            result = qint64(qFromLittleEndian<qint32>(data.constData()));
    }
    return statusOk;
}

qint32 modRegistry::WriteValue(const QString &location, const QString &keyPath,
                               const QString &valueName, const QString &valueType,
                               const Value &value) const
{
    const quint32 handle = RootFromName(location);
    if (handle == unknownLocation)
        return statusRefused;
    const QString type = valueType.toUpper();

    if (handle == settingsFile) {
        // Settings files hold text only.
        if (type != QStringLiteral("S"))
            return statusRefused;
        return m_profiles.writeText(location, keyPath, valueName, toText(value)) ? statusOk
                                                                                 : statusRefused;
    }

    const qint32 status = m_registry.createKey(handle, keyPath);
    if (status != registry::success)
        return status;
    if (type == QStringLiteral("S"))
        return m_registry.setValue(handle, keyPath, valueName, registry::typeString,
                                   toText(value).toLocal8Bit() + '\0');
    // A value that does not convert ends the write with nothing stored.
    if (type == QStringLiteral("B")) {
        const auto flag = toBoolean(value);
        return flag ? m_registry.setValue(handle, keyPath, valueName, registry::typeBinary,
                                          littleEndian(*flag ? -1 : 0, 2))
                    : status;
    }
    if (type == QStringLiteral("D")) {
        const auto number = toInt16(value);
        return number ? m_registry.setValue(handle, keyPath, valueName, registry::typeDword,
                                            littleEndian(*number, 4))
                      : status;
    }
    return status;
}

} // namespace rivonel
