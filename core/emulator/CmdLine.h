// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The launch script's words and line for cmd. Plain C++, so it is the same
// code on every system and can run under wine.

#include <string>
#include <string_view>

namespace rivonel::cmd {

// The text as one word for cmd: as it is when cmd would neither split nor
// expand it, otherwise in double quotes. Inside the quotes blanks, &, ^ and
// parentheses are plain; % is doubled, since a batch file reads %% as one %.
// (A Windows name cannot hold a double quote.)
std::u16string word(std::u16string_view text);
std::u16string quoted(std::u16string_view text);

// The launch script's one line:
// <zinc>\zinc.exe <game> --use-config-file="<zinc>\zinc.cfg"
//   --use-renderer-cfg-file="<zinc>\renderer.cfg" > <program>\log.txt
std::u16string launchLine(std::u16string_view zincDirectory, int gameNumber,
                          std::u16string_view programDirectory);

// roda.bat's text: the line, ended by CR LF.
std::u16string batchText(std::u16string_view line);

} // namespace rivonel::cmd
