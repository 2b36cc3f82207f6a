// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/run/Launcher.h"
#include "core/settings/modRegistry.h"
#include "core/system/PlatformConventions.h"

#include <QString>

#include <optional>

class QWidget;

namespace rivonel {

// Everything the window asks of the operating system's desktop. The program
// uses SystemDesktop; tests use a fake that records calls and answers as told.
class Desktop {
public:
    enum class MessageStyle {
        Stop = 16,        // stop icon, OK button
        Exclamation = 48, // exclamation icon, OK button
    };

    enum class WebOpenResult {
        Opened,
        NoBrowser, // nothing on this system opens web pages
        NotOpened, // a browser was found but did not start
    };

    virtual ~Desktop() = default;

    virtual PlatformConventions conventions() const = 0;

    // Settings files and registry values, as this system keeps them.
    virtual modRegistry &settingsAccess() = 0;

    // Modal message box; returns when the user closes it.
    virtual void showMessage(QWidget *owner, const QString &text, const QString &caption,
                             MessageStyle style) = 0;

    // Modal yes/no question; true when the user answers yes.
    virtual bool ask(QWidget *owner, const QString &text, const QString &caption) = 0;

    // The system's folder browser; an empty optional when the user cancels.
    virtual std::optional<QString> pickFolder(QWidget *owner, const QString &title) = 0;

    virtual WebOpenResult openWebAddress(const QString &address) = 0;

    // Number of sound output devices; 0 means the machine cannot play sound.
    virtual int soundOutputCount() = 0;

    // Starts the launch script and tells when the run is over.
    virtual Launcher &launcher() = 0;
};

} // namespace rivonel
