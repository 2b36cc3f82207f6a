// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/CommandLine.h"
#include "core/system/ProgramFiles.h"
#include "core/system/ProgramInfo.h"
#include "core/system/ProgramLocations.h"
#include "core/system/ShownName.h"
#include "platform/EndSignals.h"
#include "platform/SingleInstance.h"
#include "platform/SystemDesktop.h"
#include "platform/ZipArchiveCheck.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace {

rivonel::ProgramLocations programLocations()
{
    return rivonel::ProgramLocations::choose(
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()),
        rivonel::UserFolders::fromEnvironment(), rivonel::PlatformConventions::native());
}

int printGameList(bool json)
{
    const auto platform = rivonel::PlatformConventions::native();
    const QByteArray out =
        rivonel::gameListing(rivonel::ProgramFiles::of(programLocations(), platform), platform,
                             json, rivonel::readZipArchive);
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    return 0;
}

int badArgument(const QString &error)
{
    std::fprintf(stderr, "rivonel: %s\n%sTry 'rivonel --help'.\n", qPrintable(error),
                 qPrintable(rivonel::usageLine()));
    return rivonel::badArgumentExit;
}

// The answers that need no window system at all; nothing for the window.
std::optional<int> answerOnConsole(const rivonel::CommandLine &command, int argc, char *argv[])
{
    using Action = rivonel::CommandLine::Action;
    switch (command.action) {
    case Action::Help:
        std::printf("%s", qPrintable(rivonel::helpText()));
        return 0;
    case Action::Version:
        std::printf("%s\n", qPrintable(rivonel::windowTitle(rivonel::programVersion())));
        return 0;
    case Action::Bad:
        return badArgument(command.error);
    case Action::List: {
        QCoreApplication console(argc, argv);
        return printGameList(command.json);
    }
    case Action::OpenWindow:
    case Action::Play:
        break;
    }
    return std::nullopt;
}

// Qt is given only its own options.
std::vector<char *> qtArguments(const rivonel::CommandLine &command, char *argv[])
{
    std::vector<char *> qtArgv{argv[0]};
    for (int i : command.qtArguments)
        qtArgv.push_back(argv[i + 1]);
    qtArgv.push_back(nullptr);
    return qtArgv;
}

// The exit status of a start that left its command line to the Rivonel
// already running; nothing for the first.
std::optional<int> handOver(rivonel::SingleInstance::Start start,
                            const rivonel::ProgramLocations &locations,
                            const rivonel::PlatformConventions &platform)
{
    switch (start) {
    case rivonel::SingleInstance::Start::HandedOver:
        return 0;
    case rivonel::SingleInstance::Start::NoAnswer:
        std::fprintf(stderr,
                     "rivonel: a Rivonel that keeps its options in %s is running but does not "
                     "answer.\n",
                     qPrintable(rivonel::shownName(QDir::toNativeSeparators(
                         rivonel::ProgramFiles::of(locations, platform).options))));
        return 1;
    case rivonel::SingleInstance::Start::First:
    case rivonel::SingleInstance::Start::Unchecked:
    case rivonel::SingleInstance::Start::NotPrivate:
        break;
    }
    return std::nullopt;
}

// What the log box says of a start that runs unguarded: nothing when guarded.
rivonel::Wording unguarded(rivonel::SingleInstance::Start start, const QString &folder)
{
    using Start = rivonel::SingleInstance::Start;
    const int key = start == Start::NotPrivate  ? rivonel::textKey::instanceFolderNotPrivate
                    : start == Start::Unchecked ? rivonel::textKey::instanceGuardFailed
                                                : 0;
    return
        [key, folder = QDir::toNativeSeparators(folder)](const rivonel::LanguageTextTable &texts) {
            return key == 0 ? QString() : texts.text(key).arg(folder);
        };
}

// Comes to the front and follows a command line handed over by a second start.
void followHandedOver(rivonel::frmPrincipal &window, const QStringList &handed)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    window.followCommandLine(handed);
}

} // namespace

int main(int argc, char *argv[])
{
    // The command line is answered before any window system is needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const rivonel::CommandLine command = rivonel::parseCommandLine(arguments);
    if (const std::optional<int> answered = answerOnConsole(command, argc, argv))
        return *answered;

    std::vector<char *> qtArgv = qtArguments(command, argv);
    int qtArgc = static_cast<int>(qtArgv.size()) - 1;
    QApplication app(qtArgc, qtArgv.data());
    // Whatever Qt did not take after all is a mistake.
    if (const QStringList rest = QApplication::arguments().mid(1); !rest.isEmpty())
        return badArgument(
            QStringLiteral("unknown argument '%1'").arg(rivonel::shownName(rest.first())));
    const auto platform = rivonel::PlatformConventions::native();
    const rivonel::ProgramLocations locations = programLocations();

    // One Rivonel per options file: a second start hands its command line to
    // the first, which comes to the front and follows it.
    const QString guardFolder =
        rivonel::SingleInstance::folderFor(rivonel::ProgramFiles::of(locations, platform).options);
    rivonel::SingleInstance instance(guardFolder);
    const rivonel::SingleInstance::Start start = instance.claimOrHandOver(arguments);
    if (const std::optional<int> handed = handOver(start, locations, platform))
        return *handed;

    // A signal to end ends as a quit does: the run stopped and counted, the
    // options saved. The status then says which signal it was.
    rivonel::EndSignals endSignals;
    int signalled = 0;
    QObject::connect(&endSignals, &rivonel::EndSignals::received, &app, [&signalled](int signal) {
        if (std::exchange(signalled, signal) == 0)
            QCoreApplication::exit(rivonel::EndSignals::exitStatus(signal));
    });
    rivonel::SystemDesktop desktop;
    rivonel::frmPrincipal window(desktop, locations);
    window.keepRunRecordIn(instance.runRecord());
    window.Form_Load();
    window.say(unguarded(start, guardFolder));
    window.show();
    QObject::connect(&instance, &rivonel::SingleInstance::commandLineReceived, &window,
                     [&window](const QStringList &handed) { followHandedOver(window, handed); });
    QObject::connect(&instance, &rivonel::SingleInstance::lettersDropped, &window,
                     [&window](int count) {
                         window.say([count](const rivonel::LanguageTextTable &texts) {
                             return texts.text(rivonel::textKey::commandLinesDropped).arg(count);
                         });
                     });
    instance.listen();
    // Also without --play or --big-screen: the view the last session left.
    QTimer::singleShot(0, &window, [&window, arguments] { window.followCommandLine(arguments); });
    return app.exec();
}
