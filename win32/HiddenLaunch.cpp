// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32/HiddenLaunch.h"

#include <windows.h>

#include <vector>

namespace rivonel::win32 {

namespace {

std::wstring systemCmd()
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\cmd.exe";
}

BOOL CALLBACK closeWindowOf(HWND window, LPARAM processes)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    for (const DWORD id : *reinterpret_cast<const std::vector<DWORD> *>(processes))
        if (id == process)
            PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

unsigned long long creationTime(HANDLE process)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// A name no other run has: this process, the time and a count.
std::wstring newJobName()
{
    static unsigned runs = 0;
    return L"Local\\rivonel-run-" + std::to_wstring(GetCurrentProcessId()) + L'-' +
           std::to_wstring(GetTickCount64()) + L'-' + std::to_wstring(++runs);
}

} // namespace

HiddenLaunch::~HiddenLaunch()
{
    release();
}

void HiddenLaunch::release()
{
    if (m_process)
        CloseHandle(m_process);
    if (m_job)
        CloseHandle(m_job);
    m_process = m_job = nullptr;
    m_stopping = false;
    m_identity = {};
}

bool HiddenLaunch::start(const std::wstring &script, const std::wstring &workingDirectory)
{
    release();
    // The emulator reads nothing of ours and writes nothing into our console.
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    // The job is made first, its handle inherited: the run itself keeps the
    // job, and so its name, alive for a later copy when this one is gone.
    const std::wstring jobName = newJobName();
    m_job = CreateJobObjectW(&inherit, jobName.c_str());
    HANDLE null =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    if (null == INVALID_HANDLE_VALUE) {
        release();
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = null;
    // cmd expands %name% on its own command line, quotes or not, so a script
    // in the working directory is named without its folder. /s strips the
    // outer quotes and keeps the name whole; /d skips AutoRun commands.
    const std::size_t slash = script.find_last_of(L"\\/");
    const bool inWorkingDirectory = slash != std::wstring::npos &&
                                    script.compare(0, slash, workingDirectory) == 0 &&
                                    slash == workingDirectory.size();
    const std::wstring name = inWorkingDirectory ? script.substr(slash + 1) : script;
    std::wstring command = L"cmd.exe /d /s /c \"\"" + name + L"\"\"";
    const std::wstring program = systemCmd();
    PROCESS_INFORMATION started{};
    const BOOL created =
        CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW | CREATE_SUSPENDED | CREATE_NEW_PROCESS_GROUP, nullptr,
                       workingDirectory.c_str(), &startup, &started);
    CloseHandle(null);
    if (!created) {
        release();
        return false;
    }
    // Whatever the script starts stays in the job: the job allows no
    // breakaway, so a CREATE_BREAKAWAY_FROM_JOB start fails. Closing the
    // job's handle does not end them.
    if (m_job && AssignProcessToJobObject(m_job, started.hProcess))
        m_identity = {started.dwProcessId, creationTime(started.hProcess), jobName};
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    m_process = started.hProcess;
    return true;
}

HiddenLaunch::Identity HiddenLaunch::identity() const
{
    return m_identity;
}

bool HiddenLaunch::adopt(const Identity &run)
{
    release();
    m_job = OpenJobObjectW(JOB_OBJECT_QUERY | JOB_OBJECT_TERMINATE, FALSE, run.job.c_str());
    if (!m_job)
        return false;
    // The script only while it is the process that was started then.
    m_process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                            FALSE, run.process);
    if (m_process && creationTime(m_process) != run.created) {
        CloseHandle(m_process);
        m_process = nullptr;
    }
    m_identity = run;
    return true;
}

bool HiddenLaunch::scriptRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool HiddenLaunch::running() const
{
    if (scriptRunning())
        return true;
    if (!m_job)
        return false;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    return QueryInformationJobObject(m_job, JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr) &&
           accounting.ActiveProcesses > 0;
}

std::optional<unsigned long> HiddenLaunch::exitCode() const
{
    DWORD code = 0;
    if (!m_process || !GetExitCodeProcess(m_process, &code) || code == STILL_ACTIVE)
        return std::nullopt;
    return code;
}

void HiddenLaunch::askToEnd()
{
    m_stopping = true;
    if (!m_job)
        return;
    // Room for a few hundred processes; a run has a handful.
    std::vector<char> buffer(sizeof(JOBOBJECT_BASIC_PROCESS_ID_LIST) + 256 * sizeof(ULONG_PTR));
    auto *list = reinterpret_cast<JOBOBJECT_BASIC_PROCESS_ID_LIST *>(buffer.data());
    if (!QueryInformationJobObject(m_job, JobObjectBasicProcessIdList, list,
                                   static_cast<DWORD>(buffer.size()), nullptr))
        return;
    std::vector<DWORD> processes;
    for (DWORD i = 0; i < list->NumberOfProcessIdsInList; ++i)
        processes.push_back(static_cast<DWORD>(list->ProcessIdList[i]));
    EnumWindows(closeWindowOf, reinterpret_cast<LPARAM>(&processes));
}

void HiddenLaunch::forceEnd()
{
    m_stopping = true;
    if (m_job)
        TerminateJobObject(m_job, 1);
    else if (m_process)
        TerminateProcess(m_process, 1);
}

} // namespace rivonel::win32
