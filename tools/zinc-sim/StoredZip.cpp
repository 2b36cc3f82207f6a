// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoredZip.h"

#include <array>
#include <cstdint>

namespace zincsim {

namespace {

constexpr std::uint32_t localHeaderSignature = 0x04034b50;
constexpr std::uint32_t centralHeaderSignature = 0x02014b50;
constexpr std::uint32_t endOfDirectorySignature = 0x06054b50;
constexpr qsizetype centralHeaderSize = 46;
constexpr qsizetype endOfDirectorySize = 22;
constexpr std::uint16_t dosDate1980 = 0x21; // 1980-01-01: fixed, so builds are reproducible

std::uint32_t crc32(const QByteArray &data)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : data)
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void put16(QByteArray &out, std::uint16_t v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray &out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::uint32_t get(const QByteArray &in, qsizetype at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(in.at(at + i));
    return v;
}

// The fields shared by the local and the central header, from "version needed" on.
void putCommon(QByteArray &out, const QByteArray &name, const QByteArray &data)
{
    put16(out, 10); // version needed: stored entries
    put16(out, 0);  // flags
    put16(out, 0);  // method: stored
    put16(out, 0);  // time
    put16(out, dosDate1980);
    put32(out, crc32(data));
    put32(out, static_cast<std::uint32_t>(data.size()));
    put32(out, static_cast<std::uint32_t>(data.size()));
    put16(out, static_cast<std::uint16_t>(name.size()));
    put16(out, 0); // extra field length
}

} // namespace

QByteArray makeStoredZip(const QList<ZipEntry> &entries)
{
    QByteArray out;
    QByteArray directory;
    for (const ZipEntry &entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        const auto offset = static_cast<std::uint32_t>(out.size());
        put32(out, localHeaderSignature);
        putCommon(out, name, entry.data);
        out += name + entry.data;

        put32(directory, centralHeaderSignature);
        put16(directory, 20); // made by
        putCommon(directory, name, entry.data);
        put16(directory, 0); // comment length
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, offset);
        directory += name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, endOfDirectorySignature);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(entries.size()));
    put16(out, static_cast<std::uint16_t>(entries.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0); // comment length
    return out;
}

std::optional<QStringList> zipEntryNames(const QByteArray &archive)
{
    // The end record sits in the last 22 bytes plus at most a 64 KiB comment.
    qsizetype end = -1;
    const qsizetype lowest = std::max<qsizetype>(0, archive.size() - endOfDirectorySize - 0xFFFF);
    for (qsizetype at = archive.size() - endOfDirectorySize; at >= lowest; --at) {
        if (get(archive, at, 4) == endOfDirectorySignature) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return std::nullopt;

    const auto count = get(archive, end + 10, 2);
    qsizetype at = get(archive, end + 16, 4);
    QStringList names;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at < 0 || at + centralHeaderSize > end || get(archive, at, 4) != centralHeaderSignature)
            return std::nullopt;
        const qsizetype nameLength = get(archive, at + 28, 2);
        const qsizetype extraLength = get(archive, at + 30, 2);
        const qsizetype commentLength = get(archive, at + 32, 2);
        if (at + centralHeaderSize + nameLength > end)
            return std::nullopt;
        names << QString::fromUtf8(archive.mid(at + centralHeaderSize, nameLength));
        at += centralHeaderSize + nameLength + extraLength + commentLength;
    }
    return names;
}

} // namespace zincsim
