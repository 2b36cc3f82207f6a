// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as PNG files in the hicolor sizes:
//   make-icons <folder>   →   <folder>/<n>x<n>/apps/example.rivonel.Rivonel.png
#include "window/AppIcon.h"

#include <QDir>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QGuiApplication::arguments().value(1);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        if (!QDir().mkpath(apps) ||
            !rivonel::drawAppIcon(size).save(apps + QStringLiteral("/example.rivonel.Rivonel.png")))
            return 1;
    }
    return 0;
}
