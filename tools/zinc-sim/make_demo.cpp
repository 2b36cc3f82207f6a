// SPDX-License-Identifier: GPL-3.0-or-later
// Fills the demo's Zinc and ROM directories at build time:
//   make-demo <zinc directory> <rom directory>
// Two of the four renderer plug-ins, so the others show the missing plug-in
// report, and archives for a few games: one lacking a file and one cut short
// (as an interrupted copy leaves it) on purpose.

#include "RomContents.h"
#include "StoredZip.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    std::fprintf(stderr, "make-demo: cannot write %s\n", qPrintable(path));
    return false;
}

bool writeArchive(const QString &romDirectory, const QString &romSet, const QString &leaveOut = {},
                  bool cutShort = false)
{
    QList<zincsim::ZipEntry> entries;
    for (const QString &name : zincsim::requiredRomFiles(romSet))
        if (name != leaveOut)
            entries.append({name, "demo data for " + name.toUtf8() + '\n'});
    const QByteArray archive = zincsim::makeStoredZip(entries);
    return write(romDirectory + QStringLiteral("/") + romSet + QStringLiteral(".zip"),
                 cutShort ? archive.left(archive.size() / 2) : archive);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-demo <zinc directory> <rom directory>\n");
        return 2;
    }
    const QString zinc = QString::fromLocal8Bit(argv[1]);
    const QString roms = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(zinc) || !QDir().mkpath(roms)) {
        std::fprintf(stderr, "make-demo: cannot create the demo directories\n");
        return 1;
    }
    bool ok = true;
    for (const char *plugin : {"ogl_renderer.znc", "renderer.znc"})
        ok &= write(zinc + QStringLiteral("/") + QString::fromLatin1(plugin),
                    QByteArray("demo renderer plug-in\n"));
    for (const char *romSet : {"sfex", "sfexp", "rvschool", "tekken", "tgmj"})
        ok &= writeArchive(roms, QString::fromLatin1(romSet));
    ok &= writeArchive(roms, QStringLiteral("kikaioh"), QStringLiteral("kikaioh_gfx.bin"));
    ok &= writeArchive(roms, QStringLiteral("sfex2"), {}, true);
    return ok ? 0 : 1;
}
