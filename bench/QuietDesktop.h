#pragma once

// The system's desktop for benchmarks that start the window: no message box
// or folder picker ever waits for a person.

#include "platform/SystemDesktop.h"

namespace rivonel::bench {

class QuietDesktop final : public Desktop {
public:
    PlatformConventions conventions() const override { return PlatformConventions::native(); }
    modRegistry &settingsAccess() override { return m_system.settingsAccess(); }
    void showMessage(QWidget *, const QString &, const QString &, MessageStyle) override {}
    bool ask(QWidget *, const QString &, const QString &) override { return true; }
    std::optional<QString> pickFolder(QWidget *, const QString &) override { return {}; }
    WebOpenResult openWebAddress(const QString &) override { return WebOpenResult::NotOpened; }
    int soundOutputCount() override { return 1; }
    Launcher &launcher() override { return m_system.launcher(); }

private:
    SystemDesktop m_system;
};

} // namespace rivonel::bench
