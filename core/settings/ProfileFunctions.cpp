#include "core/settings/ProfileFunctions.h"

#include "core/settings/IniText.h"
#include "core/system/WholeFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace rivonel::profile {

#ifdef Q_OS_WIN

QString readString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    char buffer[ini::maxValueLength + 1] = {};
    const DWORD n =
        GetPrivateProfileStringA(section.toLocal8Bit().constData(), key.toLocal8Bit().constData(),
                                 defaultValue.toLocal8Bit().constData(), buffer, sizeof buffer,
                                 path.toLocal8Bit().constData());
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(n));
}

int readInt(const QString &path, const QString &section, const QString &key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntA(section.toLocal8Bit().constData(),
                                                  key.toLocal8Bit().constData(), defaultValue,
                                                  path.toLocal8Bit().constData()));
}

bool writeString(const QString &path, const QString &section, const QString &key,
                 const QString &value)
{
    return WritePrivateProfileStringA(
               section.toLocal8Bit().constData(), key.toLocal8Bit().constData(),
               value.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0;
}

#else

namespace {
std::optional<QString> readValue(const QString &path, const QString &section, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ini::read(ini::decode(file.readAll()), section, key);
}
} // namespace

QString readString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    return readValue(path, section, key).value_or(defaultValue.left(ini::maxValueLength));
}

int readInt(const QString &path, const QString &section, const QString &key, int defaultValue)
{
    const auto value = readValue(path, section, key);
    if (!value)
        return defaultValue;
    static const QRegularExpression leadingNumber(QStringLiteral("^[+-]?\\d+"));
    const QRegularExpressionMatch match = leadingNumber.match(*value);
    bool ok = false;
    const int number = match.hasMatch() ? match.captured().toInt(&ok) : 0;
    return ok ? number : 0;
}

bool writeString(const QString &path, const QString &section, const QString &key,
                 const QString &value)
{
    QFile current(path);
    if (!current.open(QIODevice::ReadOnly))
        return false;
    const QByteArray before = current.readAll();
    current.close();
    const QString text = ini::write(ini::decode(before), section, key, value, QStringLiteral("\n"));
    const QByteArray after = ini::encodeLike(text, before);
    if (after == before)
        return true;
    return writeFileAnew(path, after);
}

#endif

} // namespace rivonel::profile
