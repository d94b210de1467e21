// "help:": the help text in the editor, or in Notepad without it.
#pragma once
#include <optional>
#include <string>

#include "plugin/startup.h"

namespace zms {

// What opens the help text: the program to start (empty: the command line's
// first word) and the command line.
struct HelpCommand {
    std::string program;
    std::string commandLine;
};

// Built on the first request and kept in `kept` from then on.
const HelpCommand& KeptHelpCommand(std::optional<HelpCommand>& kept);

// The command for the places the registry names: the editor with its /j86
// argument when it is installed where its install location says; otherwise
// the system's own Notepad, by its full path (a bare name would be looked for
// in the mail program's folder and the current one first). The help text lies
// beside the profile file.
HelpCommand HelpCommandFor(const InstallPlaces& places);

// Starts the kept command; a failed start is silent.
void ShowHelp(std::optional<HelpCommand>& kept);

}  // namespace zms
