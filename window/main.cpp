#include "core/system/ProgramInfo.h"
#include "core/system/ProgramLocations.h"
#include "platform/SingleInstance.h"
#include "platform/SystemDesktop.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

namespace {

void printHelp()
{
    std::printf(
        "Usage: rivonel [--help | --version]\n\n"
        "A front-end for the arcade emulator Zinc 0.9: pick a game, set the options and play.\n\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n\n"
        "A copy with language/ or portable.txt beside it is portable and keeps its files\n"
        "there. Installed (in <prefix>/bin, with <prefix>/share/rivonel), it keeps rivonel.ini\n"
        "in $XDG_CONFIG_HOME/rivonel, the launch script and log.txt in $XDG_STATE_HOME/rivonel,\n"
        "and looks for languages and pictures in $XDG_DATA_HOME/rivonel before the installed\n"
        "ones. See rivonel(1).\n");
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered on the console before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("%s\n", qPrintable(rivonel::windowTitle(rivonel::programVersion())));
            return 0;
        }
    }
    QApplication app(argc, argv);
    // Qt has taken its own options (-platform, -style, …); anything left is a mistake.
    if (const QStringList rest = QApplication::arguments().mid(1); !rest.isEmpty()) {
        std::fprintf(stderr, "rivonel: unknown argument '%s'\nTry 'rivonel --help'.\n",
                     qPrintable(rest.first()));
        return 2;
    }
    const auto platform = rivonel::PlatformConventions::native();
    const auto locations = rivonel::ProgramLocations::choose(
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
        rivonel::UserFolders::fromEnvironment(), platform);

    // One Rivonel per options file: a second start hands its command line to
    // the first, which comes to the front.
    const QString optionsFile = platform.join(locations.settingsDirectory, rivonel::settingsFileName);
    rivonel::SingleInstance instance(rivonel::SingleInstance::folderFor(optionsFile));
    switch (instance.claimOrHandOver(QApplication::arguments().mid(1))) {
    case rivonel::SingleInstance::Start::HandedOver:
        return 0;
    case rivonel::SingleInstance::Start::NoAnswer:
        std::fprintf(stderr,
                     "rivonel: a Rivonel that keeps its options in %s is running but does not "
                     "answer.\n",
                     qPrintable(QDir::toNativeSeparators(optionsFile)));
        return 1;
    case rivonel::SingleInstance::Start::First:
    case rivonel::SingleInstance::Start::Unchecked:
        break;
    }

    rivonel::SystemDesktop desktop;
    rivonel::frmPrincipal window(desktop, locations);
    window.Form_Load();
    window.show();
    QObject::connect(&instance, &rivonel::SingleInstance::commandLineReceived, &window,
                     [&window](const QStringList &) {
                         window.setWindowState((window.windowState() & ~Qt::WindowMinimized) |
                                               Qt::WindowActive);
                         window.show();
                         window.raise();
                         window.activateWindow();
                     });
    instance.listen();
    return app.exec();
}
