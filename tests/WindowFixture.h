#pragma once

#include "app/frmPrincipal.h"
#include "FakeDesktop.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace rivonel::test {

// A window built in a program directory of its own, with a fake desktop.
struct WindowFixture {
    QTemporaryDir programDirectory;
    FakeDesktop desktop;
    std::unique_ptr<frmPrincipal> window;

    WindowFixture() : window(std::make_unique<frmPrincipal>(desktop, programDirectory.path())) {}

    template <class T> T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s of the expected kind", name);
        return found;
    }

    QString programFile(const QString &name) const
    {
        return desktop.platform.join(programDirectory.path(), name);
    }
};

} // namespace rivonel::test
