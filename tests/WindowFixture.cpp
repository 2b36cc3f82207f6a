#include "WindowFixture.h"

#include "window/ValueCheckBox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

namespace rivonel::test {

WindowFixture::WindowFixture(const QString &subfolder)
    : programPath(subfolder.isEmpty() ? programDirectory.path()
                                      : programDirectory.filePath(subfolder))
{
    QDir().mkpath(programPath);
    window = std::make_unique<frmPrincipal>(desktop, registry, programPath);
}

void WindowFixture::set(const char *name, const QVariant &value) const
{
    QObject *target = control<QObject>(name);
    if (auto *line = qobject_cast<QLineEdit *>(target))
        line->setText(value.toString());
    else if (auto *list = qobject_cast<QComboBox *>(target))
        list->setCurrentIndex(value.toInt());
    else if (auto *box = qobject_cast<ValueCheckBox *>(target))
        box->setValue(value.toInt());
    else if (auto *games = qobject_cast<QListWidget *>(target)) {
        games->setCurrentRow(value.toInt());
        if (value.toInt() >= 0)
            games->item(value.toInt())->setSelected(true);
    } else
        qFatal("cannot set %s", name);
}

void WindowFixture::set(std::initializer_list<std::pair<const char *, QVariant>> values) const
{
    for (const auto &[name, value] : values)
        set(name, value);
}

int WindowFixture::selectedGame() const
{
    auto *games = control<QListWidget>("lstGames");
    const auto selected = games->selectedItems();
    return selected.isEmpty() ? -1 : games->row(selected.first());
}

QString WindowFixture::programFile(const QString &name) const
{
    return desktop.platform.join(programPath, name);
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
