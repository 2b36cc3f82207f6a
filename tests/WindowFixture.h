// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeDesktop.h"
#include "window/frmPrincipal.h"
#include "window/ImageList.h"
#include "window/LogBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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
            if (name == folder)
                return places.first();
            else if (name.startsWith(folder + u'/'))
                return join.join(places.first(), name.mid(folder.size() + 1));
        return join.join(locations.runDirectory, name);
    }
    // The files of this copy: options, history, checks and the rest.
    ProgramFiles files() const { return ProgramFiles::of(locations, desktop.platform); }
    QString log() const { return window->txtlog->text(); }
    // What a screen reader is told of a game's row.
    QString told(int game) const
    {
        return window->lstGames->item(game)->data(Qt::AccessibleDescriptionRole).toString();
    }
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
    return (!fixture || !fixture->window || !fixture->window->run().watching()) &&
           !QGuiApplication::overrideCursor();
}

// Whether a pixel is about that colour, and a picture's centre pixel.
inline bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) + qAbs(qGreen(a) - b.green()) + qAbs(qBlue(a) - b.blue()) < 60;
}

inline QRgb centre(const QImage &image)
{
    return image.pixel(image.width() / 2, image.height() / 2);
}

// A file's bytes, or "<unreadable>".
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// An ordinary file that nobody may read, root included; none elsewhere.
#ifdef Q_OS_LINUX
inline const QString writeOnly = QStringLiteral("/proc/sys/vm/drop_caches");
#else
inline const QString writeOnly;
#endif

// The things at a file's name that are no ordinary file, as data rows of a
// column "kind"; with unreadable, also a file nobody may read, where there is one.
inline void specialFileRows(bool unreadable = false)
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << QStringLiteral("directory");
#ifdef Q_OS_UNIX
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("link to a device") << QStringLiteral("device");
#endif
    if (unreadable && QFile::exists(writeOnly))
        QTest::newRow("unreadable") << QStringLiteral("unreadable");
}

// Puts one at path: a directory, a FIFO nothing ever writes to (a read that
// opens it waits for ever, and ctest's time-out fails the test), a link
// to an endless device, or one to the unreadable file.
inline bool putSpecialFile(const QString &kind, const QString &path)
{
#ifdef Q_OS_UNIX
    if (kind == QStringLiteral("fifo"))
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == QStringLiteral("device"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QStringLiteral("unreadable"))
        return QFile::link(writeOnly, path);
#else
    Q_UNUSED(kind);
#endif
    return QDir().mkpath(path);
}

// Writes a file whole, making its folder first; false on failure.
inline bool writeAll(const QString &path, const QByteArray &bytes = {})
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

// The controls Tab reaches: shown, enabled and taking the focus themselves.
inline QWidgetList focusable(const QWidget &window)
{
    QWidgetList controls;
    for (QWidget *control : window.findChildren<QWidget *>())
        if (control->isVisible() && control->isEnabled() &&
            (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy())
            controls << control;
    return controls;
}

// A window test: a new window for each test function, left clean after it.
class WindowTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<WindowFixture> f;
    frmPrincipal &w() const { return *f->window; }
    // The picture's centre, and the logo's.
    QRgb shown() const { return centre(w().Picture1->pixmap().toImage()); }
    QColor logo() const { return QColor::fromRgb(centre(w().ImageList1->image(0))); }
    QString iniPath() const { return f->programFile(QStringLiteral("rivonel.ini")); }
    // Starts the window over these options, as the program's start does.
    void loadWith(const QByteArray &ini)
    {
        QVERIFY(writeAll(iniPath(), ini));
        w().Form_Load();
    }
    bool showActive() const
    {
        w().show();
        return QTest::qWaitForWindowActive(&w());
    }

protected Q_SLOTS:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup()
    {
        QVERIFY(leftClean(f.get()));
        f.reset();
    }
};

} // namespace rivonel::test
