// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeLauncher.h"
#include "platform/Desktop.h"
#include "platform/ProcessLauncher.h"

#include <QStringList>
#include <QTemporaryDir>

namespace rivonel::test {

// The real launcher with the script's end notice withheld, so that a run is
// seen to end only by the window's timed looks.
class WithheldEndLauncher final : public Launcher {
public:
    explicit WithheldEndLauncher(Launcher &real) : m_real(real) {}
    bool start(const QString &script, const QString &dir, std::function<void()>) override
    {
        return m_real.start(script, dir, [] {});
    }
    bool running() const override { return true; }
    void stop() override { m_real.stop(); }
    void stopAndWait() override { m_real.stopAndWait(); }
    ScriptEnd scriptEnd() override { return m_real.scriptEnd(); }

private:
    Launcher &m_real;
};

// Records what the window asks of the desktop, one "name|argument|…" line a
// call, and answers as the test says; the tests' and the benchmarks' desktop.
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
    // With the real launcher: whether the window hears at once that the script ended.
    bool notifyEnd = true;
    WithheldEndLauncher withheldLauncher{realLauncher};
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
        if (!realLaunch)
            return fakeLauncher;
        return notifyEnd ? static_cast<Launcher &>(realLauncher) : withheldLauncher;
    }

private:
    void record(const QStringList &call) { calls << call.join(QLatin1Char('|')); }
};

} // namespace rivonel::test
