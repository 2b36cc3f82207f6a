// A stand-in emulator for the Windows launch path, in plain C++: prints its
// arguments and "Finished execution...", or given "hang", never ends; given
// "exit <n>", ends with that code; given "escape", starts a hanging copy of
// itself that asks to leave the job (or, refused, stays in it), prints
// "child <pid> breakaway refused|allowed" and hangs.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "exit" && argc > 2)
        return std::atoi(argv[2]);
    if (mode == "escape") {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" hang";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        bool allowed = CreateProcessW(self, command.data(), nullptr, nullptr, FALSE,
                                      CREATE_BREAKAWAY_FROM_JOB, nullptr, nullptr, &startup, &child);
        if (!allowed)
            CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &child);
        std::printf("child %lu breakaway %s\n", child.dwProcessId, allowed ? "allowed" : "refused");
        std::fflush(stdout);
    }
    while (mode == "hang" || mode == "escape")
        Sleep(1000);
    std::printf("arguments:");
    for (int i = 1; i < argc; ++i)
        std::printf(" [%s]", argv[i]);
    std::printf("\nFinished execution...\n");
    return 0;
}
