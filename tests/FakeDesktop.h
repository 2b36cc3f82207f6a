#pragma once

#include "platform/Desktop.h"

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

    // One line per call, "name|argument|argument…".
    QStringList calls;

    PlatformConventions conventions() const override;
    void showMessage(QWidget *owner, const QString &text, const QString &caption,
                     MessageStyle style) override;
    std::optional<QString> pickFolder(QWidget *owner, const QString &title) override;
    WebOpenResult openWebAddress(const QString &address) override;
    int soundOutputCount() override;
    bool startHidden(const QString &scriptPath, const QString &workingDirectory) override;
    bool launchRunning() override;
};

} // namespace rivonel::test
