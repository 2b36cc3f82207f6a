#pragma once

#include "FakeDesktop.h"
#include "window/frmPrincipal.h"
#include "window/LogBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace rivonel::test {

// A window built in a program directory of its own, with a fake desktop.
// Window tests check in cleanup() that it watches no run and that no
// hourglass is left.
struct WindowFixture {
    QTemporaryDir programDirectory;
    QString programPath; // the program directory
    FakeDesktop desktop;
    std::unique_ptr<frmPrincipal> window;

    // Portable, or, with RIVONEL_TEST_INSTALLED set, installed with the
    // user's folders and the shipped ones all below the program directory.
    ProgramLocations locations;

    // With realLaunch the window starts its runs through the system's shell.
    explicit WindowFixture(bool realLaunch = false)
        : programPath(programDirectory.path()),
          locations(qEnvironmentVariableIsSet("RIVONEL_TEST_INSTALLED")
                        ? ProgramLocations::installedFor(programPath + QStringLiteral("/bin"),
                                                         {programPath + QStringLiteral("/config"),
                                                          programPath + QStringLiteral("/state"),
                                                          programPath + QStringLiteral("/data")},
                                                         desktop.platform)
                        : ProgramLocations::portable(programPath, desktop.platform))
    {
        desktop.realLaunch = realLaunch;
        window = std::make_unique<frmPrincipal>(desktop, locations);
    }

    // Where the window finds a file the tests name as if portable: rivonel.ini,
    // language/…, snap/…, and the launch script and log beside them.
    QString programFile(const QString &name) const
    {
        const auto &join = desktop.platform;
        if (name == QStringLiteral("rivonel.ini"))
            return join.join(locations.settingsDirectory, name);
        for (const auto &[folder, places] :
             {std::pair{QStringLiteral("language"), locations.languageFolders},
              {QStringLiteral("snap"), locations.snapFolders}})
            if (name == folder || name.startsWith(folder + u'/'))
                return places.first() + name.mid(folder.size());
        return join.join(locations.runDirectory, name);
    }
    QString log() const { return window->txtlog->text(); }
    // Selects a game as a click does (-1 clears the selection).
    void select(int position) const
    {
        if (position < 0)
            window->lstGames->clearSelection();
        else
            window->lstGames->setCurrentRow(position);
    }
};

// What every window test checks in cleanup(): the window watches no run and
// no hourglass is left.
inline bool leftClean(const WindowFixture *fixture)
{
    return (!fixture || !fixture->window || !fixture->window->runWatched()) &&
           !QGuiApplication::overrideCursor();
}

// A file's bytes, or "<unreadable>".
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes a file whole, making its folder first; false on failure.
inline bool writeAll(const QString &path, const QByteArray &bytes = {})
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

} // namespace rivonel::test
