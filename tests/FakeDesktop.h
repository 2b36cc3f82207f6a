#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessLauncher.h"

#include <QStringList>
#include <QTemporaryDir>

namespace rivonel::test {

// Records what the window asks of the desktop, one "name|argument|…" line a
// call, and answers as the test says.
class FakeDesktop final : public Desktop {
public:
    PlatformConventions platform = PlatformConventions::native();
    std::optional<QString> folderAnswer;
    WebOpenResult webAnswer = WebOpenResult::Opened;
    int soundDevices = 1;
    bool startAnswer = true;
    bool running = false;
    // Start the script for real (through the system's shell) instead of
    // answering with startAnswer and running.
    bool realLaunch = false;
    ProcessLauncher launcher;
    std::function<void()> ended; // kept when not launching for real
    QStringList calls;
    // Settings files as elsewhere than Windows; registry values in a folder
    // of the test's own.
    QTemporaryDir registryFolder;
    FileRegistryStore registry{registryFolder.filePath(QStringLiteral("registry.txt"))};
    IniProfileStore profiles;
    modRegistry settings{registry, profiles};

    PlatformConventions conventions() const override { return platform; }
    modRegistry &settingsAccess() override { return settings; }
    void showMessage(QWidget *, const QString &text, const QString &caption,
                     MessageStyle style) override
    {
        record({QStringLiteral("showMessage"), text, caption,
                QString::number(static_cast<int>(style))});
    }
    std::optional<QString> pickFolder(QWidget *, const QString &) override { return folderAnswer; }
    WebOpenResult openWebAddress(const QString &address) override
    {
        record({QStringLiteral("openWebAddress"), address});
        return webAnswer;
    }
    int soundOutputCount() override { return soundDevices; }
    bool startHidden(const QString &script, const QString &directory,
                     std::function<void()> whenEnded) override
    {
        record({QStringLiteral("startHidden"), script, directory});
        if (realLaunch)
            return launcher.start(platform, script, directory, std::move(whenEnded));
        ended = std::move(whenEnded);
        return startAnswer;
    }
    bool launchRunning() override { return realLaunch ? launcher.running() : running; }
    void stopLaunch() override
    {
        record({QStringLiteral("stopLaunch")});
        if (realLaunch)
            launcher.stop(1000);
    }

private:
    void record(const QStringList &call) { calls << call.join(QLatin1Char('|')); }
};

} // namespace rivonel::test
