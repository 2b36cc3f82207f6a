#pragma once

#include "FakeLauncher.h"
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
    bool askAnswer = false;
    // The launcher handed out: the real one (through the system's shell,
    // forcing a stop after a second) or one that only pretends.
    bool realLaunch = false;
    ProcessLauncher realLauncher{platform, 1000};
    FakeLauncher fakeLauncher;
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
    bool ask(QWidget *, const QString &text, const QString &caption) override
    {
        record({QStringLiteral("ask"), text, caption});
        return askAnswer;
    }
    std::optional<QString> pickFolder(QWidget *, const QString &) override { return folderAnswer; }
    WebOpenResult openWebAddress(const QString &address) override
    {
        record({QStringLiteral("openWebAddress"), address});
        return webAnswer;
    }
    int soundOutputCount() override { return soundDevices; }
    Launcher &launcher() override
    {
        return realLaunch ? static_cast<Launcher &>(realLauncher) : fakeLauncher;
    }

private:
    void record(const QStringList &call) { calls << call.join(QLatin1Char('|')); }
};

} // namespace rivonel::test
