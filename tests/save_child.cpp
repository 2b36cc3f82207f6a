// Saves two sets of options into the file named on its command line, in
// turn and for ever, the way the window saves at its close; the test kills
// it at random moments.
#include "core/options/SavedOptions.h"
#include "core/settings/IniDocument.h"
#include "core/system/WholeFile.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString path = QCoreApplication::arguments().value(1);
    for (int i = 0;; i = 1 - i) {
        rivonel::IniDocument::Reading file = rivonel::IniDocument::read(path);
        rivonel::OptionSet options;
        options.romDirectory = QString(i + 1, u'r');
        options.sound = i;
        rivonel::saveOptions(file.document, options);
        rivonel::writeFileAnew(path, file.document.toBytes());
    }
}
