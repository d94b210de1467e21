// "help:": the help text in the editor, or in Notepad without it.
#pragma once
#include <string>

#include "plugin/startup.h"

namespace zms {

// The command line that opens the help text, built on the first request and
// kept until the plug-in is unloaded.
const std::string& HelpCommandLine();

// The command line for the places the registry names: the editor with its
// /j86 argument when it is installed where its install location says;
// otherwise Notepad. The help text lies beside the profile file.
std::string HelpCommandLineFor(const InstallPlaces& places);

// Starts it; a failed start is silent.
void ShowHelp();

// Forgets the kept command line, so that the next request builds it anew. For
// the tests: the library's unload does not call it (shut-down deletes only the
// profile store), and the string goes with the library.
void ResetHelp();

}  // namespace zms
