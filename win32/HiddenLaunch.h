// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Starts the launch script through cmd with no window and nothing of this
// program's standard handles, in a job of its own, so that stopping a run can
// reach everything the script started. Plain C++ over the Windows API.

#include <optional>
#include <string>

namespace rivonel::win32 {

class HiddenLaunch {
public:
    HiddenLaunch() = default;
    HiddenLaunch(const HiddenLaunch &) = delete;
    HiddenLaunch &operator=(const HiddenLaunch &) = delete;
    // Lets go of the run without ending it: it may outlive this program.
    ~HiddenLaunch();

    // cmd /d /s /c ""<script>"" in the working directory (the script named
    // without its folder when it lies there). False when it could not start.
    bool start(const std::wstring &script, const std::wstring &workingDirectory);

    // What finds the run again from another process: the script's process
    // number, when it was created, and the name of its job.
    struct Identity {
        unsigned long process = 0;
        unsigned long long created = 0;
        std::wstring job;
    };
    Identity identity() const;
    // Takes on a run an earlier copy started, by its job, which lives as
    // long as anything of the run does. False when the job is gone.
    bool adopt(const Identity &run);

    // The script's process handle, signalled when it has ended.
    void *processHandle() const { return m_process; }
    // The script is running, or anything in its job still is.
    bool running() const;
    bool scriptRunning() const;

    // The script's exit code once it has ended (cmd passes on the emulator's).
    std::optional<unsigned long> exitCode() const;

    // Asks the run to end: closes the windows of every process in the job.
    void askToEnd();
    // Ends every process in the job.
    void forceEnd();

private:
    void release();

    void *m_process = nullptr;
    void *m_job = nullptr;
    Identity m_identity;
    bool m_stopping = false;
};

} // namespace rivonel::win32
