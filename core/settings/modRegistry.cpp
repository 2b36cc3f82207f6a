#include "core/settings/modRegistry.h"

#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <QFileInfo>
#include <QtEndian>

#include <array>
#include <cmath>
#include <optional>

#ifdef Q_OS_WIN
#include "win32/Registry.h"

#include <windows.h>
#endif

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

bool isOrdinaryFile(const QString &location)
{
    if (location.isEmpty())
        return false;
    const QFileInfo info(location);
    if (!info.isFile() || info.isHidden())
        return false;
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(location.utf16()));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM))
        return false;
#endif
    return true;
}

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

#ifdef Q_OS_WIN
// Text in the system's 8-bit code page, as the profile functions take it.
std::string ansi(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}
#else
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
#endif

QByteArray littleEndian(qint32 number, int bytes)
{
    QByteArray data(4, '\0');
    qToLittleEndian(number, data.data());
    return data.left(bytes);
}

} // namespace

modRegistry::modRegistry(RegistryStore &registry) : m_registry(registry)
{
}

quint32 modRegistry::RootFromName(const QString &location)
{
    const QString upper = location.toUpper();
    for (const auto &[name, handle] : roots)
        if (upper == QLatin1String(name))
            return handle;
    return isOrdinaryFile(location) ? settingsFile : unknownLocation;
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
#ifdef Q_OS_WIN
        // Windows' own profile functions, one value at a time.
        if (type == QStringLiteral("S"))
            result = QString::fromLocal8Bit(win32::profileString(
                ansi(location), ansi(keyPath), ansi(valueName), ansi(toText(defaultValue))));
        else
            result = qint64(win32::profileInt(ansi(location), ansi(keyPath), ansi(valueName), 0));
#else
        const auto text = IniDocument::read(location).document.value(keyPath, valueName);
        if (type == QStringLiteral("S"))
            result = text.value_or(toText(defaultValue).left(IniDocument::maxValueLength));
        else
            result = qint64(text ? leadingNumber(*text) : 0);
#endif
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
#ifdef Q_OS_WIN
        if (type != QStringLiteral("S"))
            return statusRefused;
        return win32::writeProfileString(ansi(location), ansi(keyPath), ansi(valueName),
                                         ansi(toText(value)))
                   ? statusOk
                   : statusRefused;
#else
        IniDocument::Reading file = IniDocument::read(location);
        if (type != QStringLiteral("S") || file.status != IniDocument::ReadStatus::Read)
            return statusRefused;
        const QByteArray before = file.document.toBytes();
        if (!file.document.setValue(keyPath, valueName, toText(value)))
            return statusRefused;
        const QByteArray after = file.document.toBytes();
        return after == before || writeFileAnew(location, after) ? statusOk : statusRefused;
#endif
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
