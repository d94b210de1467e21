// "help:": the help text in the editor, or in Notepad without it.
#pragma once
#include <string>

namespace zms {

// The command line that opens the help text, built on the first request and
// kept until the plug-in is unloaded.
const std::string& HelpCommandLine();

// Starts it; a failed start is silent.
void ShowHelp();

// Forgets the kept command line (the library's unload does this; tests too).
void ResetHelp();

}  // namespace zms
