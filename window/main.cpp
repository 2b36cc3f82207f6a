#include "platform/SystemDesktop.h"
#include "window/frmPrincipal.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    rivonel::SystemDesktop desktop;
    rivonel::frmPrincipal window(desktop,
                                 QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    window.Form_Load();
    window.show();
    return app.exec();
}
