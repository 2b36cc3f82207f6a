// A stand-in emulator for the Windows launch path, in plain C++: prints its
// arguments and "Finished execution...", or given "hang", never ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char *argv[])
{
    while (argc > 1 && std::string(argv[1]) == "hang")
        Sleep(1000);
    std::printf("arguments:");
    for (int i = 1; i < argc; ++i)
        std::printf(" [%s]", argv[i]);
    std::printf("\nFinished execution...\n");
    return 0;
}
