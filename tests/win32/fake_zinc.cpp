// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in emulator for the Windows launch path, in plain C++: prints its
// arguments and "Finished execution...", or given "hang", never ends; given
// "exit <n>", ends with that code.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "exit" && argc > 2)
        return std::atoi(argv[2]);
    while (mode == "hang")
        Sleep(1000);
    std::printf("arguments:");
    for (int i = 1; i < argc; ++i)
        std::printf(" [%s]", argv[i]);
    std::printf("\nFinished execution...\n");
    return 0;
}
