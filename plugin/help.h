// "help:": the help text in the editor, or in Notepad without it.
#pragma once
#include <optional>
#include <string>

namespace zms {

// The command line that opens the help text, built on the first request and
// kept until the plug-in is unloaded.
const std::string& HelpCommandLine();

// The command line for what the registry holds (nothing: the value cannot be
// read): the editor with its /j86 argument and the help text in the macro
// directory (else the install location); without the editor, Notepad with the
// help text in the mail program's directory, else beside the plug-in.
std::string HelpCommandLineFor(const std::optional<std::string>& editorInstall,
                               const std::optional<std::string>& editorMacros,
                               const std::optional<std::string>& mailProgram,
                               const std::string& pluginDirectory);

// Starts it; a failed start is silent.
void ShowHelp();

// Forgets the kept command line, so that the next request builds it anew. For
// the tests: the library's unload does not call it (shut-down deletes only the
// profile store), and the string goes with the library.
void ResetHelp();

}  // namespace zms
