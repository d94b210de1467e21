// "help:": the help text in the editor, or in Notepad without it.
#pragma once
#include <string>

#include "plugin/startup.h"

namespace zms {

// What opens the help text: the program to start (empty: the command line's
// first word) and the command line.
struct HelpCommand {
    std::string program;
    std::string commandLine;
};

// Built on the first request and kept until the plug-in is unloaded.
const HelpCommand& KeptHelpCommand();

// The command for the places the registry names: the editor with its /j86
// argument when it is installed where its install location says; otherwise
// the system's own Notepad, by its full path (a bare name would be looked for
// in the mail program's folder and the current one first). The help text lies
// beside the profile file.
HelpCommand HelpCommandFor(const InstallPlaces& places);

// Starts it; a failed start is silent.
void ShowHelp();

}  // namespace zms
