// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/emulator/RunReport.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace rivonel {

// Starts the launch script and tells when it is over. The program's runs
// through the system's shell (platform/ProcessLauncher); tests hand a fake.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Starts the script through the platform's shell, hidden and without
    // waiting for it, and forgets any earlier launch; ended runs once, from
    // the event loop, when the script has ended (after a stop, when
    // everything it started has too). False when it could not be started.
    virtual bool start(const QString &scriptPath, const QString &workingDirectory,
                       std::function<void()> ended) = 0;

    // Whether the script last started is still running (after a stop, or
    // anything it started).
    virtual bool running() const = 0;

    // Asks the script and everything it started to end, and forces them a
    // few seconds later.
    virtual void stop() = 0;

    // Stops as stop() does and waits for the end right here, forcing after
    // the same grace: for the program's own end, when no event loop will run
    // again. What is still running after that is left to stop()'s forcing.
    virtual void stopAndWait() = 0;

    // How the script last started ended; Unknown while it runs.
    virtual ScriptEnd scriptEnd() = 0;

    // What tells the run under way from any other process, for a later copy
    // of this program to find it by (its processes and when they started,
    // its mark); empty when there is none to tell.
    virtual QByteArray identity() const { return {}; }
    // Takes on the run an earlier copy started, as start() would have, with
    // ended called as for a run of its own. False when nothing of it still
    // runs, or the system offers no way to find it.
    virtual bool adopt(const QByteArray &identity, std::function<void()> ended)
    {
        (void)identity;
        (void)ended;
        return false;
    }
};

} // namespace rivonel
