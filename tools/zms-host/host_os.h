// What zms-host needs from the operating system, one .cpp per OS
// (win32/host_os.cpp, posix/host_os.cpp), chosen by CMake.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zms::host {

// The program's arguments (without the program name) as bytes in the
// system's code page: on Windows taken from the wide command line and
// converted to the ANSI code page, so that text reaches the plug-in as the
// mail program would pass it; natively as they are.
std::vector<std::string> Arguments(int argc, char** argv);

// The path separator that the plug-in's concatenations meet: '\\' on
// Windows, '/' natively.
extern const char kSeparator;

std::string AbsolutePath(const std::string& path);
// Creates the directory unless it exists; whether it exists afterwards.
bool MakeDirectory(const std::string& path);
// A new, empty directory under the system's temporary directory, or "".
std::string FreshTempDirectory();

// The mail program's main window: a top-level window of the host's own class,
// not shown. Its handle cut to 32 bits, or 0 when no window can be made
// (wine without a display: a warning says so). Natively always 0.
int32_t CreateMainWindow();
void DestroyMainWindow();

// While on, every message box that appears on this thread is printed as one
// line to standard output and answered with its first button, as a person
// would, so that a scripted run never waits:
//   message box: "TEXT" caption="CAPTION" owner=none|main|other buttons=OK[+Cancel...]
// (texts written as the stand-in's journal writes them). Natively nothing:
// the plug-in writes its messages to standard error.
void WatchMessageBoxes(bool on);

// The plug-in's search dialog while a search runs. Windows: the real dialog
// (template 101); a second thread waits for it, prints what it shows
// ("dialog: scope=... check=... text=[...] list=[...]") and performs the
// script's actions on its controls, closing it when the script does not
// (tools/dialog_driver). Natively: the console view, which prints the same
// "dialog:" line itself; the script is its standard input.
void BeginAnsweringDialog(const std::string& script);
void EndAnsweringDialog();

}  // namespace zms::host
