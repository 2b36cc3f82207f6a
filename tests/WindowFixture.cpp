#include "WindowFixture.h"

#include "window/LogBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

namespace rivonel::test {

WindowFixture::WindowFixture(const QString &subfolder)
    : programPath(subfolder.isEmpty() ? programDirectory.path()
                                      : programDirectory.filePath(subfolder))
{
    QDir().mkpath(programPath);
    window = std::make_unique<frmPrincipal>(desktop, registry, programPath);
}

QString WindowFixture::programFile(const QString &name) const
{
    return desktop.platform.join(programPath, name);
}

QString WindowFixture::log() const
{
    return window->txtlog->text();
}

void WindowFixture::select(int position) const
{
    QListWidget *games = window->lstGames;
    if (position < 0)
        games->clearSelection();
    else
        games->setCurrentRow(position);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

} // namespace rivonel::test
