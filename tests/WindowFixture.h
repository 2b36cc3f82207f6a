#pragma once

#include "core/settings/RegistryStore.h"
#include "FakeDesktop.h"
#include "window/frmPrincipal.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace rivonel::test {

// A window built in a program directory of its own, with a fake desktop and
// a registry file of its own.
struct WindowFixture {
    QTemporaryDir programDirectory;
    QString programPath; // the program directory, or a folder below it
    FakeDesktop desktop;
    FileRegistryStore registry{programDirectory.filePath(QStringLiteral("registry.txt"))};
    std::unique_ptr<frmPrincipal> window;

    explicit WindowFixture(const QString &subfolder = {});
    frmPrincipal *operator->() const { return window.get(); }

    QString programFile(const QString &name) const;
    QString log() const;
    // Selects a game as a click does (-1 clears the selection).
    void select(int position) const;
};

// A file's bytes, or "<unreadable>".
QByteArray readAll(const QString &path);
// Writes a file whole, making its folder first; false on failure.
bool writeAll(const QString &path, const QByteArray &bytes = {});

} // namespace rivonel::test

// What every window test checks after each case: no run is still watched and
// the hourglass is gone. Use as QVERIFY does, in a test class's cleanup().
#define RIVONEL_VERIFY_WINDOW_LEFT_CLEAN(fixture)                                                  \
    do {                                                                                           \
        QVERIFY(!(fixture) || !(fixture)->window || !(fixture)->window->runWatched());             \
        QVERIFY(!QGuiApplication::overrideCursor());                                               \
    } while (false)
