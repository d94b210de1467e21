// The running program: where it lies; starting another program with a
// command line, without waiting for it.
#pragma once
#include <string>

namespace zms::platform {

// The directory of the running program's executable (the host's, not the
// plug-in's), with its trailing separator; "" when it cannot be told.
std::string ProgramDirectory();

// CreateProcessA with no application name, default security, no inherited
// handles, NORMAL_PRIORITY_CLASS, the caller's environment and directory.
// Natively the command line is split as Windows programs split theirs and the
// first word is looked up in PATH. Returns whether the program started.
bool StartProcess(const char* commandLine);

}  // namespace zms::platform
