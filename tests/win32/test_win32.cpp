// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows launch path, the registry and the profile functions, run for
// real (under wine on Linux): plain C++, built with MinGW-w64.
#include "core/emulator/CmdLine.h"
#include "core/emulator/LaunchScript.h"
#include "win32/HiddenLaunch.h"
#include "win32/Registry.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace rivonel;
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
template <class Text> std::string narrow(const Text &text)
{
    return std::string(text.begin(), text.end());
}

std::string fileText(const std::wstring &path)
{
    std::stringstream text;
    text << std::ifstream(narrow(path), std::ios::binary).rdbuf();
    return text.str();
}

bool writeFile(const std::wstring &path, const std::string &text)
{
    return static_cast<bool>(std::ofstream(narrow(path), std::ios::binary) << text);
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

    // roda.bat, written as the program writes it, starts exactly the emulator,
    // with its arguments, output to log.txt.
    const std::u16string where(folder.begin(), folder.end());
    check(writeFile(folder + L"\\roda.bat",
                    narrow(launchScriptText(ScriptShell::Cmd, cmd::launchLine(where, 7, where)))),
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
    const std::string key = "Software\\RivonelTest\\Sub", value("Ol\xe1", 4);
    check(createKey(currentUser, key) == 0 &&
              setValue(currentUser, key, "Name", REG_SZ, value) == 0 &&
              queryValue(currentUser, key, "name", stored) == 0 && stored == value,
          "a registry value reads back as written");
    const std::string ini = zinc + "\\rivonel.ini";
    check(writeFile(folder + L"\\rivonel.ini", "[General]\r\nLastGame=12abc\r\n"), "ini written");
    check(writeProfileString(ini, "general", "RomPath", "C:\\Roms") &&
              profileString(ini, "General", "ROMPATH", "x") == "C:\\Roms" &&
              profileInt(ini, "General", "LastGame", 0) == 12,
          "INI values read back as written");

    // A hung process tree (the script, an emulator in the background and one it
    // waits for) ends: politely first, then by force.
    const std::string emulator = narrow(cmd::word(where + u"\\zinc.exe"));
    check(writeFile(folder + L"\\hang.bat",
                    "start /b \"\" " + emulator + " hang\r\n" + emulator + " hang\r\n"),
          "hang.bat is written");
    check(launch.start(folder + L"\\hang.bat", folder), "hang.bat starts");
    Sleep(1500);
    launch.askToEnd();
    check(launch.running(), "a tree that ignores the request runs on");
    launch.forceEnd();
    for (int waited = 0; launch.running() && waited < 10000; waited += 50)
        Sleep(50);
    check(!launch.running(), "the whole tree ends when forced");

    // The script's status is the emulator's exit code.
    check(writeFile(folder + L"\\exit.bat", emulator + " exit 3\r\n"), "exit.bat is written");
    check(launch.start(folder + L"\\exit.bat", folder) &&
              WaitForSingleObject(launch.processHandle(), 30000) == WAIT_OBJECT_0 &&
              launch.exitCode() == 3ul,
          "the script ends with the emulator's exit code");

    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
