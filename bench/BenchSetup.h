// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the launch benchmarks share: the tests' desktop, launching for real,
// and a Zinc and ROM directory that can run sfex.

#include "FakeDesktop.h"
#include "RomContents.h"
#include "StoredZip.h"
#include "window/frmPrincipal.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

namespace rivonel::bench {

// Fills <dir>/zinc with the substitute emulator and the OpenGL plug-in, and
// <dir>/roms with a complete sfex archive; returns the two directories.
inline std::pair<QString, QString> prepareZincAndRoms(const QString &dir)
{
    const QString zinc = dir + QStringLiteral("/zinc");
    const QString roms = dir + QStringLiteral("/roms");
    QDir().mkpath(zinc);
    QDir().mkpath(roms);
    const PlatformConventions platform = PlatformConventions::native();
    QFile::copy(QStringLiteral(ZINC_SIM_PATH), platform.join(zinc, platform.emulatorFileName));
    QFile(zinc + QStringLiteral("/ogl_renderer.znc")).open(QIODevice::WriteOnly);
    QList<zincsim::ZipEntry> entries;
    for (const QString &name : zincsim::requiredRomFiles(QStringLiteral("sfex")))
        entries.append({name, "rom"});
    QFile archive(roms + QStringLiteral("/sfex.zip"));
    if (archive.open(QIODevice::WriteOnly))
        archive.write(zincsim::makeStoredZip(entries));
    return {zinc, roms};
}

// Starts the window and points it at those directories, with sfex selected.
inline void pointAtDemo(frmPrincipal &window, const QString &zinc, const QString &roms)
{
    window.Form_Load();
    window.txtZincDir->setText(zinc);
    window.txtRomDir->setText(roms);
    window.cboRend->setCurrentIndex(1);
    window.lstGames->item(0)->setSelected(true);
}

} // namespace rivonel::bench
