// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/RunRecord.h"

#include "core/games/GameTable.h"
#include "core/system/SafeOpen.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace rivonel {

namespace {
constexpr qint64 largestRecord = 16 * 1024;
const QString launcherKey = QStringLiteral("launcher");
const QString gameKey = QStringLiteral("game");
const QString startedKey = QStringLiteral("started");
const QString romDirectoryKey = QStringLiteral("romDirectory");
const QString romSetKey = QStringLiteral("romSet");
} // namespace

QByteArray RunRecord::toBytes() const
{
    return QJsonDocument(QJsonObject{
                             {launcherKey, QString::fromLatin1(launcher)},
                             {gameKey, position},
                             {startedKey, started.toUTC().toString(Qt::ISODateWithMs)},
                             {romDirectoryKey, romDirectory},
                             {romSetKey, romSet},
                         })
        .toJson();
}

std::optional<RunRecord> RunRecord::fromBytes(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    RunRecord record;
    record.launcher = object.value(launcherKey).toString().toLatin1();
    record.position = object.value(gameKey).toInt(-1);
    record.started = QDateTime::fromString(object.value(startedKey).toString(), Qt::ISODateWithMs);
    record.romDirectory = object.value(romDirectoryKey).toString();
    record.romSet = object.value(romSetKey).toString();
    if (record.launcher.isEmpty() || record.position < 0 || record.position >= gameCount ||
        !record.started.isValid())
        return std::nullopt;
    return record;
}

std::optional<RunRecord> RunRecord::read(const QString &path)
{
    QFile file;
    if (path.isEmpty() || openRegularFile(path, file) != OpenResult::Opened)
        return std::nullopt;
    return fromBytes(file.read(largestRecord));
}

} // namespace rivonel
