// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/games/ArchiveChecks.h"

#include "core/games/GameTable.h"
#include "core/system/SafeOpen.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <optional>
#include <utility>

namespace rivonel {

using namespace Qt::StringLiterals;

namespace {

constexpr int cacheVersion = 1;

using Verdict = ArchiveReading::Verdict;
using Fault = ArchiveReading::Fault;

// The names the cache writes, in enum order.
constexpr std::array<QStringView, 4> verdictNames{u"missing", u"not-a-zip", u"damaged", u"ready"};
constexpr std::array<QStringView, 5> faultNames{u"", u"truncated", u"crc", u"unreadable",
                                                u"too-large"};

template <class Enum, std::size_t n>
std::optional<Enum> fromName(const std::array<QStringView, n> &names, const QJsonValue &value)
{
    for (std::size_t i = 0; i < n; ++i)
        if (value.isString() && names[i] == value.toString())
            return static_cast<Enum>(i);
    return std::nullopt;
}

template <std::size_t n> QString nameOf(const std::array<QStringView, n> &names, auto value)
{
    return names[static_cast<std::size_t>(value)].toString();
}

QJsonObject identityObject(const ArchiveIdentity &identity)
{
    return {{u"size"_s, identity.size}, {u"modified"_s, identity.modified}};
}

// Whole numbers only: a double that does not round-trip makes the file foreign.
std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    const auto whole = static_cast<qint64>(number);
    if (static_cast<double>(whole) != number)
        return std::nullopt;
    return whole;
}

std::optional<ArchiveIdentity> identityFrom(const QJsonObject &object)
{
    const auto size = wholeNumber(object.value(u"size"));
    const auto modified = wholeNumber(object.value(u"modified"));
    if (!size || !modified)
        return std::nullopt;
    return ArchiveIdentity{*size, *modified};
}

std::optional<ArchiveReading> readingFrom(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const auto identity = identityFrom(object);
    const auto verdict = fromName<Verdict>(verdictNames, object.value(u"verdict"));
    const auto fault = fromName<Fault>(faultNames, object.value(u"fault"));
    if (!value.isObject() || !identity || !verdict || !fault || !object.value(u"bad").isString() ||
        !object.value(u"entries").isArray())
        return std::nullopt;
    ArchiveReading reading{*verdict, *fault, object.value(u"bad").toString(), {}, *identity};
    for (const QJsonValue &entry : object.value(u"entries").toArray()) {
        const QJsonArray fields = entry.toArray();
        const auto size = wholeNumber(fields.at(1));
        const auto crc = wholeNumber(fields.at(2));
        if (fields.size() != 3 || !fields.at(0).isString() || !size || !crc || *crc < 0 ||
            *crc > 0xffffffffLL)
            return std::nullopt;
        reading.entries.append({fields.at(0).toString(), *size, static_cast<quint32>(*crc)});
    }
    return reading;
}

} // namespace

ArchiveIdentity identityOf(const QFile &opened)
{
    return {opened.size(), opened.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch()};
}

QString archivePath(const PlatformConventions &platform, const QString &folder,
                    const QString &romSet)
{
    return platform.join(folder, romSet + romArchiveExtension.toString());
}

QString ArchiveKnowledge::missingFile(const QString &romSet) const
{
    const auto reading = readings.constFind(romSet);
    const auto lesson = learned.constFind(romSet);
    if (reading == readings.cend() || lesson == learned.cend() ||
        reading->verdict == Verdict::Missing || lesson->identity != reading->identity)
        return {};
    return lesson->file;
}

ArchiveState ArchiveKnowledge::state(const QString &romSet) const
{
    const auto reading = readings.constFind(romSet);
    if (reading == readings.cend())
        return ArchiveState::Unknown;
    switch (reading->verdict) {
    case Verdict::Missing:
        return ArchiveState::Missing;
    case Verdict::NotAZip:
        return ArchiveState::NotAZip;
    case Verdict::Damaged:
        return ArchiveState::Damaged;
    case Verdict::Ready:
        break;
    }
    return missingFile(romSet).isEmpty() ? ArchiveState::Ready : ArchiveState::Incomplete;
}

QByteArray ArchiveKnowledge::toBytes() const
{
    QJsonObject archives;
    for (auto it = readings.cbegin(); it != readings.cend(); ++it) {
        QJsonObject object = identityObject(it->identity);
        object.insert(u"verdict"_s, nameOf(verdictNames, it->verdict));
        object.insert(u"fault"_s, nameOf(faultNames, it->fault));
        object.insert(u"bad"_s, it->badEntry);
        QJsonArray entries;
        for (const ArchiveEntry &entry : it->entries)
            entries.append(QJsonArray{entry.name, entry.size, static_cast<qint64>(entry.crc)});
        object.insert(u"entries"_s, entries);
        archives.insert(it.key(), object);
    }
    QJsonObject lessons;
    for (auto it = learned.cbegin(); it != learned.cend(); ++it) {
        QJsonObject object = identityObject(it->identity);
        object.insert(u"file"_s, it->file);
        lessons.insert(it.key(), object);
    }
    return QJsonDocument(QJsonObject{{u"version"_s, cacheVersion},
                                     {u"folder"_s, folder},
                                     {u"archives"_s, archives},
                                     {u"learned"_s, lessons}})
        .toJson();
}

ArchiveKnowledge ArchiveKnowledge::fromBytes(const QByteArray &bytes)
{
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    if (root.value(u"version") != cacheVersion || !root.value(u"folder").isString())
        return {};
    ArchiveKnowledge known;
    known.folder = root.value(u"folder").toString();
    const QJsonObject archives = root.value(u"archives").toObject();
    for (auto it = archives.constBegin(); it != archives.constEnd(); ++it) {
        const auto reading = readingFrom(it.value());
        if (!reading)
            return {};
        known.readings.insert(it.key(), *reading);
    }
    const QJsonObject lessons = root.value(u"learned").toObject();
    for (auto it = lessons.constBegin(); it != lessons.constEnd(); ++it) {
        const QJsonObject object = it.value().toObject();
        const auto identity = identityFrom(object);
        if (!identity || !object.value(u"file").isString())
            return {};
        known.learned.insert(it.key(), {*identity, object.value(u"file").toString()});
    }
    return known;
}

ArchiveKnowledge checkArchives(const ArchiveKnowledge &known, const PlatformConventions &platform,
                               const QString &folder, const QStringList &romSets,
                               const ArchiveReader &read, const std::atomic_bool &cancelled,
                               int *reads)
{
    // What was known of another folder says nothing of this one.
    const bool sameFolder = known.folder == folder;
    ArchiveKnowledge now;
    now.folder = folder;
    for (const QString &romSet : romSets) {
        if (cancelled || now.readings.contains(romSet))
            continue;
        ArchiveReading reading;
        QFile file;
        switch (openRegularFile(archivePath(platform, folder, romSet), file)) {
        case OpenResult::Missing:
            break;
        case OpenResult::NotAFile:
            reading.verdict = Verdict::NotAZip;
            break;
        case OpenResult::Unreadable:
            reading = {Verdict::Damaged, Fault::Unreadable, {}, {}, {}};
            break;
        case OpenResult::Opened: {
            const ArchiveIdentity identity = identityOf(file);
            const auto before = known.readings.constFind(romSet);
            if (sameFolder && before != known.readings.cend() &&
                before->verdict != Verdict::Missing && before->identity == identity) {
                reading = *before;
                break;
            }
            reading = read(file, cancelled);
            reading.identity = identity;
            if (reads)
                ++*reads;
            break;
        }
        }
        now.readings.insert(romSet, reading);
        const auto lesson = known.learned.constFind(romSet);
        if (sameFolder && lesson != known.learned.cend() && reading.verdict != Verdict::Missing &&
            lesson->identity == reading.identity)
            now.learned.insert(romSet, *lesson);
    }
    return now;
}

ArchiveKnowledge readArchiveKnowledge(const QString &path)
{
    QFile file;
    if (openRegularFile(path, file) != OpenResult::Opened || file.size() > largestKnowledgeFile)
        return {};
    return ArchiveKnowledge::fromBytes(file.read(largestKnowledgeFile));
}

QStringList allRomSets()
{
    QStringList romSets;
    for (const GameEntry &game : gameTable())
        if (!romSets.contains(game.romSet))
            romSets << game.romSet.toString();
    return romSets;
}

QString archiveStateName(ArchiveState state)
{
    switch (state) {
    case ArchiveState::Missing:
        return QStringLiteral("missing");
    case ArchiveState::NotAZip:
        return QStringLiteral("not a zip");
    case ArchiveState::Damaged:
        return QStringLiteral("damaged");
    case ArchiveState::Incomplete:
        return QStringLiteral("incomplete");
    case ArchiveState::Ready:
        return QStringLiteral("ready");
    case ArchiveState::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

} // namespace rivonel
