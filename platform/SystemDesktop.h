#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessLauncher.h"

namespace rivonel {

class SystemDesktop final : public Desktop {
public:
    PlatformConventions conventions() const override;
    void showMessage(QWidget *owner, const QString &text, const QString &caption,
                     MessageStyle style) override;
    std::optional<QString> pickFolder(QWidget *owner, const QString &title) override;
    WebOpenResult openWebAddress(const QString &address) override;
    int soundOutputCount() override;
    Launcher &launcher() override { return m_launcher; }

private:
    ProcessLauncher m_launcher{PlatformConventions::native()};
};

} // namespace rivonel
