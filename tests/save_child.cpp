// SPDX-License-Identifier: GPL-3.0-or-later
// Saves two sets of options into the rivonel.ini of the folder named on its
// command line, in turn and for ever, as the window saves at its close; the
// test kills it at random moments once it has said it is saving.
#include "core/options/OptionsFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const auto platform = rivonel::PlatformConventions::native();
    const rivonel::OptionsFile file(
        rivonel::ProgramLocations::portable(QCoreApplication::arguments().value(1), platform),
        platform, [](const QString &path) { return QFileInfo(path).isFile(); });
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (int i = 0;; i = 1 - i) {
        rivonel::OptionSet options;
        options.romDirectory = QString(i + 1, u'r');
        options.sound = i;
        file.save(options);
    }
}
