#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessLauncher.h"

#include <QStringList>

namespace rivonel::test {

// Records what the window asks of the desktop and answers as the test says.
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

    // One line per call, "name|argument|argument…".
    QStringList calls;

    PlatformConventions conventions() const override;
    void showMessage(QWidget *owner, const QString &text, const QString &caption,
                     MessageStyle style) override;
    std::optional<QString> pickFolder(QWidget *owner, const QString &title) override;
    WebOpenResult openWebAddress(const QString &address) override;
    int soundOutputCount() override;
    bool startHidden(const QString &scriptPath, const QString &workingDirectory,
                     std::function<void()> ended) override;
    bool launchRunning() override;
};

} // namespace rivonel::test
