// The running program: where it lies; starting another program with a
// command line, without waiting for it.
#pragma once
#include <string>

namespace zms::platform {

// The directory of the running program's executable (the host's, not the
// plug-in's), with its trailing separator; "" when it cannot be told.
std::string ProgramDirectory();

// The full path of a program that comes with the system: Win32, in the
// system directory (GetSystemDirectoryA; a 32-bit process on 64-bit Windows
// is redirected to its own); natively in /usr/bin/.
std::string SystemProgram(const char* name);

// CreateProcessA with `program` as the application name (null: the command
// line's first word, which Windows looks for in the program's own directory
// and the current one before the system's), default security, no inherited
// handles, NORMAL_PRIORITY_CLASS, the caller's environment and directory.
// Natively the command line is split as Windows programs split theirs and,
// without `program`, its first word is looked up in PATH. Returns whether the
// program started.
bool StartProcess(const char* program, const char* commandLine);

}  // namespace zms::platform
