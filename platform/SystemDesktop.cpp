// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemDesktop.h"

#include "core/system/ProgramLocations.h"
#include "platform/SoundDevices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include "platform/WindowsProfileStore.h"
#include "platform/WindowsRegistryStore.h"

// windows.h must come first: mmsystem.h needs its types. The blank line keeps
// the formatter from sorting them into one block.
#include <windows.h>

#include <mmsystem.h>
#else
#include <signal.h>
#endif

namespace rivonel {

namespace {

#ifdef Q_OS_WIN
std::unique_ptr<RegistryStore> systemRegistry()
{
    return std::make_unique<WindowsRegistryStore>();
}

std::unique_ptr<ProfileStore> systemProfiles()
{
    return std::make_unique<WindowsProfileStore>();
}
#else
// Where there is no registry, its values are kept in the user's configuration folder.
std::unique_ptr<RegistryStore> systemRegistry()
{
    return std::make_unique<FileRegistryStore>(PlatformConventions::native().join(
        UserFolders::fromEnvironment().config, QStringLiteral("registry.txt")));
}

std::unique_ptr<ProfileStore> systemProfiles()
{
    return std::make_unique<IniProfileStore>();
}
#endif

} // namespace

SystemDesktop::SystemDesktop()
    : m_registry(systemRegistry()), m_profiles(systemProfiles()),
      m_settings(*m_registry, *m_profiles)
{
}

PlatformConventions SystemDesktop::conventions() const
{
    return PlatformConventions::native();
}

modRegistry &SystemDesktop::settingsAccess()
{
    return m_settings;
}

void SystemDesktop::showMessage(QWidget *owner, const QString &text, const QString &caption,
                                MessageStyle style)
{
    const auto icon = style == MessageStyle::Stop ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    // Paths are in it, and a tag in one is text.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool SystemDesktop::ask(QWidget *owner, const QString &text, const QString &caption)
{
    // No is the default: a stray Enter keeps things as they are.
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> SystemDesktop::pickFolder(QWidget *owner, const QString &title)
{
    const QString folder =
        QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder);
}

Desktop::WebOpenResult SystemDesktop::openWebAddress(const QString &address)
{
#ifdef Q_OS_WIN
    // The browser is whatever opens .HTM files; a scratch file asks for it.
    // The drive's root may be closed to the user: the temporary folder serves then.
    const auto writeScratch = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write("\"<HTML> <\\HTML>\"\r\n") > 0;
    };
    QString scratch = QStringLiteral("C:\\temphtm.HTM");
    if (!writeScratch(scratch)) {
        scratch = QDir::toNativeSeparators(QDir::tempPath() + QStringLiteral("/temphtm.HTM"));
        if (!writeScratch(scratch)) {
            QFile::remove(scratch);
            return WebOpenResult::NoBrowser;
        }
    }
    char browser[MAX_PATH + 1] = {};
    WebOpenResult result = WebOpenResult::NoBrowser;
    if (reinterpret_cast<INT_PTR>(
            FindExecutableA(scratch.toLocal8Bit().constData(), nullptr, browser)) > 32) {
        const QByteArray program = QByteArray(browser).trimmed();
        const auto opened = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, "open", program.constData(), address.toLocal8Bit().constData(),
                          nullptr, SW_SHOWNORMAL));
        result = opened > 32 ? WebOpenResult::Opened : WebOpenResult::NotOpened;
    }
    QFile::remove(scratch);
    return result;
#else
#if !defined(Q_OS_MACOS)
    // Qt hands web addresses to xdg-open; without it nothing can open them.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return WebOpenResult::NoBrowser;
#endif
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid())
        return WebOpenResult::NotOpened;
    return QDesktopServices::openUrl(url) ? WebOpenResult::Opened : WebOpenResult::NotOpened;
#endif
}

int SystemDesktop::soundOutputCount()
{
#ifdef Q_OS_WIN
    return static_cast<int>(waveOutGetNumDevs());
#elif defined(Q_OS_LINUX)
    QFile pcm(QStringLiteral("/proc/asound/pcm"));
    int count = pcm.open(QIODevice::ReadOnly) ? countPlaybackDevices(pcm.readAll()) : 0;
    if (count == 0) {
        // A sound server (PulseAudio, PipeWire) plays sound even where no
        // ALSA card is visible, as in containers and remote sessions.
        const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
        if (!runtime.isEmpty() && (QFile::exists(runtime + QStringLiteral("/pulse/native")) ||
                                   QFile::exists(runtime + QStringLiteral("/pipewire-0"))))
            count = 1;
    }
    return count;
#else
    return 1;
#endif
}

} // namespace rivonel
