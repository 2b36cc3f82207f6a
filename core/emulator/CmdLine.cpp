// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/CmdLine.h"

namespace rivonel::cmd {

namespace {

bool plain(char16_t c)
{
    // Characters cmd neither splits at, expands nor redirects with; "," ";"
    // and "=" separate arguments for cmd.
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    return std::u16string_view(u"_-./:+@~\\").find(c) != std::u16string_view::npos || c > 0x7F;
}

std::u16string joined(std::u16string_view directory, std::u16string_view name)
{
    return std::u16string(directory) + u'\\' + std::u16string(name);
}

} // namespace

std::u16string quoted(std::u16string_view text)
{
    std::u16string result = u"\"";
    for (const char16_t c : text) {
        result += c;
        if (c == u'%')
            result += c;
    }
    return result + u'"';
}

std::u16string word(std::u16string_view text)
{
    for (const char16_t c : text)
        if (!plain(c))
            return quoted(text);
    return std::u16string(text);
}

std::u16string launchLine(std::u16string_view zincDirectory, int gameNumber,
                          std::u16string_view programDirectory)
{
    std::u16string number;
    for (const char c : std::to_string(gameNumber))
        number += static_cast<char16_t>(c);
    return word(joined(zincDirectory, u"zinc.exe")) + u' ' + number + u" --use-config-file=" +
           quoted(joined(zincDirectory, u"zinc.cfg")) + u" --use-renderer-cfg-file=" +
           quoted(joined(zincDirectory, u"renderer.cfg")) + u" > " +
           word(joined(programDirectory, u"log.txt"));
}

std::u16string batchText(std::u16string_view line)
{
    return std::u16string(line) + u"\r\n";
}

} // namespace rivonel::cmd
