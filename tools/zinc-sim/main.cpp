// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the Zinc 0.9 emulator, for the demo and the tests. It
// honours the emulator's side of the interface: the command line, the two
// option files, the ROM archive and the console lines the front-end reads.

#include "core/games/GameTable.h"
#include "RomContents.h"
#include "StoredZip.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <chrono>

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

constexpr int usageError = 2;
constexpr int missingRomExit = 1;
constexpr int briefHelperMs = 300;
constexpr int defaultRunMs = 2000;

bool silent = false;

void say(const QString &line)
{
    if (!silent)
        std::printf("%s\n", line.toLocal8Bit().constData());
}

int fail(const QString &message)
{
    say(QStringLiteral("ERROR: ") + message);
    return usageError;
}

QString env(const char *name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

struct Arguments {
    int game = 0;
    QString configFile;
    QString rendererFile;
};

std::optional<QString> parseArguments(const QStringList &args, Arguments &out)
{
    const QString configOption = QStringLiteral("--use-config-file=");
    const QString rendererOption = QStringLiteral("--use-renderer-cfg-file=");
    QString game;
    for (const QString &arg : args) {
        if (arg.startsWith(configOption))
            out.configFile = arg.mid(configOption.size());
        else if (arg.startsWith(rendererOption))
            out.rendererFile = arg.mid(rendererOption.size());
        else if (arg.startsWith(QLatin1Char('-')))
            return QStringLiteral("unknown option: ") + arg;
        else if (game.isNull())
            game = arg;
        else
            return QStringLiteral("unexpected argument: ") + arg;
    }
    if (game.isNull())
        return QStringLiteral("no game number given");
    bool number = false;
    out.game = game.toInt(&number);
    if (!number || out.game < 1 || out.game > rivonel::gameCount)
        return QStringLiteral("game number must be 1 to %1: %2").arg(rivonel::gameCount).arg(game);
    if (out.configFile.isEmpty())
        return QStringLiteral("no --use-config-file given");
    if (out.rendererFile.isEmpty())
        return QStringLiteral("no --use-renderer-cfg-file given");
    return std::nullopt;
}

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList lines;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromLocal8Bit(raw).remove(QLatin1Char('\r'));
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(';')))
            lines << line;
    }
    return lines;
}

// zinc.cfg: "--name=value" per line, only the options the emulator knows.
std::optional<QString> parseZincConfig(const QStringList &lines, QHash<QString, QString> &options)
{
    static const QStringList known{
        QStringLiteral("roms-directory"),
        QStringLiteral("use-sound"),
        QStringLiteral("sound-filter-enable"),
        QStringLiteral("sound-filter-cutoff"),
        QStringLiteral("sound-surround-lite-enable"),
        QStringLiteral("sound-surround-lite-multiplier"),
        QStringLiteral("sound-stereo-exciter"),
        QStringLiteral("use-slow-geometry"),
    };
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString name = line.left(equals).mid(2);
        if (!line.startsWith(QStringLiteral("--")) || equals < 0 || !known.contains(name))
            return QStringLiteral("unknown option in config file: ") + line;
        options.insert(name, line.mid(equals + 1));
    }
    return std::nullopt;
}

QStringList missingFiles(const QString &archivePath, const QStringList &needed)
{
    QFile file(archivePath);
    const std::optional<QStringList> present =
        file.open(QIODevice::ReadOnly) ? zincsim::zipEntryNames(file.readAll()) : std::nullopt;
    QStringList missing;
    for (const QString &name : needed)
        if (!present || !present->contains(name))
            missing << name;
    return missing;
}

// Appends "<what> <steady clock ns>" to ZINC_SIM_STAMP_FILE, so a benchmark
// can tell when the emulator started and ended.
void stamp(const char *what)
{
    const QString path = env("ZINC_SIM_STAMP_FILE");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (file.open(QIODevice::Append)) {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
        file.write(QByteArray(what) + ' ' + QByteArray::number(static_cast<qint64>(ns)) + '\n');
    }
}

#ifndef Q_OS_WIN
// An emulator that leaves a helper behind as a daemon does: forked twice, in
// a session of its own, its parent gone at once. The helper ignores a polite
// request and writes "helper <its pid> <the emulator's pid>" to
// ZINC_SIM_STAMP_FILE once it runs. A bare helper goes on as sleep with an
// empty environment, as "( setsid env -i sleep … & )" would.
void startDetachedHelper(bool bare)
{
    const pid_t emulator = ::getpid();
    const pid_t between = ::fork();
    if (between != 0) {
        if (between > 0)
            ::waitpid(between, nullptr, 0);
        return;
    }
    ::setsid();
    if (::fork() != 0)
        ::_exit(0);
    std::signal(SIGTERM, SIG_IGN);
    const QByteArray line =
        "helper " + QByteArray::number(::getpid()) + ' ' + QByteArray::number(emulator) + '\n';
    QFile file(env("ZINC_SIM_STAMP_FILE"));
    if (file.open(QIODevice::Append))
        file.write(line);
    file.close();
    if (bare) {
        char *const arguments[] = {const_cast<char *>("sleep"), const_cast<char *>("600"), nullptr};
        char *const nothing[] = {nullptr};
        ::execve("/bin/sleep", arguments, nothing);
    }
    for (;;)
        ::pause();
}

// A child of the emulator in a session of its own, with nothing of the run's
// environment but the stamp file, while the emulator lives on. It is deaf
// to a polite request, which it writes to the stamp file as "asked" a while
// after it came.
void startUnmarkedChild()
{
    if (::fork() != 0)
        return;
    ::setsid();
    std::signal(SIGTERM, SIG_DFL); // a shell cannot trap what it was started ignoring
    const QByteArray stamps = "ZINC_SIM_STAMP_FILE=" + env("ZINC_SIM_STAMP_FILE").toLocal8Bit();
    char *const arguments[] = {
        const_cast<char *>("sh"), const_cast<char *>("-c"),
        const_cast<char *>("trap 'sleep 0.3; echo asked >> \"$ZINC_SIM_STAMP_FILE\"' TERM; "
                           "echo \"helper $$\" >> \"$ZINC_SIM_STAMP_FILE\"; "
                           "while :; do sleep 0.05; done"),
        nullptr};
    char *const environment[] = {const_cast<char *>(stamps.constData()), nullptr};
    ::execve("/bin/sh", arguments, environment);
    ::_exit(127);
}

// Deaf children in sessions of their own, one a millisecond, each told in
// the stamp file, for as long as the emulator lives: some are always born
// after a stop has listed the run, and escape a single forced end.
void startStorm()
{
    if (::fork() != 0)
        return;
    const QByteArray stamps = env("ZINC_SIM_STAMP_FILE").toLocal8Bit();
    for (int born = 0; born < 5000; ++born) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::setsid();
            std::signal(SIGTERM, SIG_IGN);
            for (;;)
                ::pause();
        }
        if (FILE *file = std::fopen(stamps.constData(), "a")) {
            std::fprintf(file, "helper %d\n", static_cast<int>(child));
            std::fclose(file);
        }
        ::usleep(1000);
    }
    ::_exit(0);
}
#endif

void sleepFor(int ms)
{
    QThread::msleep(static_cast<unsigned long>(std::max(0, ms)));
}

} // namespace

int main(int argc, char *argv[])
{
    // A helper of the emulator's that outlives it by a moment, then ends by itself.
    if (argc == 2 && std::strcmp(argv[1], "--brief-helper") == 0) {
        sleepFor(briefHelperMs);
        return 0;
    }
    stamp("start");
    silent = env("ZINC_SIM_SILENT") == QStringLiteral("1");
#ifndef Q_OS_WIN
    // A hung emulator that a polite request does not end.
    if (env("ZINC_SIM_IGNORE_TERM") == QStringLiteral("1"))
        std::signal(SIGTERM, SIG_IGN);
#endif
    // A console program's output is fully buffered when it goes to a file,
    // unless asked to flush each line.
    if (env("ZINC_SIM_LINE_FLUSH") == QStringLiteral("1"))
        std::setvbuf(stdout, nullptr, _IOLBF, 0);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    Arguments arguments;
    if (const auto error = parseArguments(args, arguments))
        return fail(*error);

    const auto configLines = readLines(arguments.configFile);
    if (!configLines)
        return fail(QStringLiteral("cannot read config file: ") + arguments.configFile);
    const auto rendererLines = readLines(arguments.rendererFile);
    if (!rendererLines)
        return fail(QStringLiteral("cannot read renderer config file: ") + arguments.rendererFile);
    QHash<QString, QString> options;
    if (const auto error = parseZincConfig(*configLines, options))
        return fail(*error);

    const auto &game = rivonel::gameTable()[static_cast<std::size_t>(arguments.game - 1)];
    const QString romSet = game.romSet.toString();
    const QString romDirectory = options.value(QStringLiteral("roms-directory"));

    say(QStringLiteral("Zinc 0.9 (substitute for the Rivonel demo)"));
    say(QStringLiteral("Game %1: %2 [%3]").arg(arguments.game).arg(game.title).arg(romSet));
    say(QStringLiteral("ROM directory: ") + romDirectory);
    say(QStringLiteral("Sound: ") +
        (options.value(QStringLiteral("use-sound")) == QStringLiteral("yes")
             ? QStringLiteral("on")
             : QStringLiteral("off")));
    say(QStringLiteral("Renderer settings: %1").arg(rendererLines->size()));

    if (env("ZINC_SIM_CRASH") == QStringLiteral("1")) {
        std::fflush(stdout);
        std::abort();
    }

    const QString archive = romDirectory + QStringLiteral("/") + romSet + QStringLiteral(".zip");
    QStringList needed = zincsim::requiredRomFiles(romSet);
    const QString extra = env("ZINC_SIM_MISSING");
    if (!extra.isEmpty())
        needed << extra.split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QStringList missing = missingFiles(archive, needed);
    for (const QString &name : missing)
        say(QStringLiteral("ERROR: missing rom file: ") + archive + QStringLiteral(" [ ") + name +
            QStringLiteral(" ]"));
    if (!missing.isEmpty())
        return missingRomExit;

    bool number = false;
    const int runMs = env("ZINC_SIM_RUN_MS").toInt(&number);
    say(QStringLiteral("Running..."));
    if (env("ZINC_SIM_BRIEF_HELPER") == QStringLiteral("1"))
        QProcess::startDetached(QString::fromLocal8Bit(argv[0]),
                                {QStringLiteral("--brief-helper")});
#ifndef Q_OS_WIN
    if (const QString detach = env("ZINC_SIM_DETACH"); detach == QStringLiteral("child"))
        startUnmarkedChild();
    else if (detach == QStringLiteral("storm"))
        startStorm();
    else if (!detach.isEmpty())
        startDetachedHelper(detach == QStringLiteral("bare"));
#endif
    // An emulator that gives up with an exit code of its own.
    if (const int code = env("ZINC_SIM_EXIT_CODE").toInt()) {
        std::fflush(stdout);
        return code;
    }
    // A chatty emulator: megabytes of lines before the end.
    const qint64 chatter = env("ZINC_SIM_OUTPUT_MB").toLongLong() * 1024 * 1024;
    for (qint64 written = 0; written < chatter;)
        written += std::printf("frame %lld: nothing to report, all is well\n",
                               static_cast<long long>(written));
    sleepFor(number ? runMs : defaultRunMs);
    say(QStringLiteral("Finished execution..."));
    std::fflush(stdout);
    stamp("end");
    return 0;
}
