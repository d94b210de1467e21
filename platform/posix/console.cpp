#include "platform/console.h"

#include "platform/terminal.h"

namespace zms::platform {

// POSIX streams never translate line ends.
void SetBinaryStdio() {}

std::string ConsoleText(const std::string& cp932) { return TerminalFromCp932(cp932); }

}  // namespace zms::platform
