// A stand-in emulator for the Windows launch path, in plain C++: prints its
// arguments and "Finished execution...". Given "hang", it starts a copy of
// itself that hangs too, and hangs: a process tree that never ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::string(argv[1]) == "hang") {
        if (argc == 2) {
            char self[MAX_PATH] = {};
            GetModuleFileNameA(nullptr, self, MAX_PATH);
            std::string command = std::string("\"") + self + "\" hang child";
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION child{};
            CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &child);
        }
        for (;;)
            Sleep(1000);
    }
    std::printf("arguments:");
    for (int i = 1; i < argc; ++i)
        std::printf(" [%s]", argv[i]);
    std::printf("\nFinished execution...\n");
    return 0;
}
