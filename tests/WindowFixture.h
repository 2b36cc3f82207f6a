#pragma once

#include "core/settings/RegistryStore.h"
#include "FakeDesktop.h"
#include "window/frmPrincipal.h"

#include <QTemporaryDir>
#include <QTest>
#include <QVariant>

#include <initializer_list>
#include <memory>

namespace rivonel::test {

// A window built in a program directory of its own, with a fake desktop.
struct WindowFixture {
    QTemporaryDir programDirectory;
    QString programPath; // the program directory, or a folder below it
    FakeDesktop desktop;
    FileRegistryStore registry{programDirectory.filePath(QStringLiteral("registry.txt"))};
    std::unique_ptr<frmPrincipal> window;

    explicit WindowFixture(const QString &subfolder = {});

    template <class T> T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s of the expected kind", name);
        return found;
    }

    // Leaves a control as a user would: a text box's text, a list's
    // position, a check box's value, the selected game's list position.
    void set(const char *name, const QVariant &value) const;
    void set(std::initializer_list<std::pair<const char *, QVariant>> values) const;
    int selectedGame() const;

    QString programFile(const QString &name) const;
};

// A file's bytes, or "<unreadable>".
QByteArray readAll(const QString &path);
// Writes a file whole, making its folder first; false on failure.
bool writeAll(const QString &path, const QByteArray &bytes = {});

} // namespace rivonel::test
