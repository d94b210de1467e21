// Standard streams for the command-line tools.
#pragma once
#include <string>

namespace zms::platform {

// Standard input, output and error carry bytes as they are: no CR LF
// translation.
void SetBinaryStdio();

// Code page 932 text as a console shows it: as it is on Windows, in the
// terminal's UTF-8 natively.
std::string ConsoleText(const std::string& cp932);

}  // namespace zms::platform
