// The Windows launch path, the registry and the profile functions, run for
// real (under wine on Linux): plain C++, built with MinGW-w64.
#include "win32/CmdLine.h"
#include "win32/HiddenLaunch.h"
#include "win32/Registry.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace rivonel::win32;

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const char *what)
{
    ok ? ++passed : ++failed;
    if (!ok)
        std::printf("FAIL: %s\n", what);
}

// The names here are ASCII, so each UTF-16 unit is one byte of the code page.
std::string narrow(const std::wstring &text)
{
    return std::string(text.begin(), text.end());
}

std::wstring wide(const std::u16string &text)
{
    return std::wstring(text.begin(), text.end());
}

std::string fileText(const std::wstring &path)
{
    std::ifstream in(narrow(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const std::wstring &path, const std::string &text)
{
    std::ofstream out(narrow(path), std::ios::binary);
    return static_cast<bool>(out << text);
}

bool waitUntil(const HiddenLaunch &launch, bool wanted, int ms)
{
    for (int waited = 0; launch.running() != wanted && waited < ms; waited += 50)
        Sleep(50);
    return launch.running() == wanted;
}

} // namespace

int main()
{
    wchar_t buffer[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring here(buffer);
    here.resize(here.rfind(L'\\'));
    GetTempPathW(MAX_PATH, buffer);
    // A folder name that cmd would split, expand or redirect with.
    const std::wstring folder = std::wstring(buffer) + L"rivonel a&b %PATH% ^c (d) " +
                                std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    check(CopyFileW((here + L"\\fake_zinc.exe").c_str(), (folder + L"\\zinc.exe").c_str(), FALSE),
          "the stand-in emulator is in place");

    // roda.bat starts exactly the emulator, with its arguments, output to log.txt.
    const std::u16string where(folder.begin(), folder.end());
    check(writeFile(folder + L"\\roda.bat", narrow(wide(batchText(launchLine(where, 7, where))))),
          "roda.bat is written");
    HiddenLaunch launch;
    check(launch.start(folder + L"\\roda.bat", folder), "roda.bat starts");
    check(WaitForSingleObject(launch.processHandle(), 30000) == WAIT_OBJECT_0, "roda.bat ends");
    const std::string zinc = narrow(folder);
    check(fileText(folder + L"\\log.txt") == "arguments: [7] [--use-config-file=" + zinc +
                                                 "\\zinc.cfg] [--use-renderer-cfg-file=" + zinc +
                                                 "\\renderer.cfg]\r\nFinished execution...\r\n",
          "the emulator's output lands in log.txt");

    // A registry value and an INI value read back as written.
    const std::uint32_t currentUser = 0x80000001;
    std::string stored;
    check(createKey(currentUser, "Software\\RivonelTest\\Sub") == 0, "a key is created");
    check(setValue(currentUser, "Software\\RivonelTest\\Sub", "Name", REG_SZ,
                   std::string("Ol\xe1", 4)) == 0,
          "a registry value is written");
    check(queryValue(currentUser, "Software\\RivonelTest\\Sub", "name", stored) == 0 &&
              stored == std::string("Ol\xe1", 4),
          "a registry value reads back");
    check(openKey(currentUser, "Software\\RivonelTest\\Missing") == ERROR_FILE_NOT_FOUND,
          "a missing key is not found");
    const std::string ini = zinc + "\\rivonel.ini";
    check(writeFile(folder + L"\\rivonel.ini", "[General]\r\nLastGame=12abc\r\n"), "ini written");
    check(writeProfileString(ini, "general", "RomPath", "C:\\Roms"), "an INI value is written");
    check(profileString(ini, "General", "ROMPATH", "x") == "C:\\Roms", "an INI value reads back");
    check(profileInt(ini, "General", "LastGame", 0) == 12, "an INI number reads back");

    // A hung process tree ends: politely first, then by force.
    check(writeFile(folder + L"\\hang.bat",
                    narrow(wide(cmdWord(where + u"\\zinc.exe"))) + " hang\r\n"),
          "hang.bat is written");
    check(launch.start(folder + L"\\hang.bat", folder), "hang.bat starts");
    Sleep(1500);
    launch.askToEnd();
    check(launch.running(), "a tree that ignores the request runs on");
    launch.forceEnd();
    check(waitUntil(launch, false, 10000), "the whole tree ends when forced");

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
