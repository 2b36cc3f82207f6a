// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Desktop.h"
#include "platform/ProcessLauncher.h"

#include <memory>

namespace rivonel {

class SystemDesktop final : public Desktop {
public:
    SystemDesktop();

    PlatformConventions conventions() const override;
    modRegistry &settingsAccess() override;
    void showMessage(QWidget *owner, const QString &text, const QString &caption,
                     MessageStyle style) override;
    bool ask(QWidget *owner, const QString &text, const QString &caption) override;
    std::optional<QString> pickFolder(QWidget *owner, const QString &title) override;
    WebOpenResult openWebAddress(const QString &address) override;
    int soundOutputCount() override;
    Launcher &launcher() override { return m_launcher; }

private:
    std::unique_ptr<RegistryStore> m_registry;
    std::unique_ptr<ProfileStore> m_profiles;
    modRegistry m_settings;
    ProcessLauncher m_launcher{PlatformConventions::native()};
};

} // namespace rivonel
