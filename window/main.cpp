#include "core/settings/RegistryStore.h"
#include "platform/SystemDesktop.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rivonel::SystemDesktop desktop;
    const std::unique_ptr<rivonel::RegistryStore> registry = rivonel::makeSystemRegistryStore();
    rivonel::frmPrincipal window(desktop, *registry,
                                 QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    window.Form_Load();
    window.show();
    return app.exec();
}
