// Start-up, run at the first call of `search`, and shut-down, run when the host
// unloads the plug-in.
#pragma once
#include <memory>
#include <optional>
#include <string>

namespace zms {

// Where the registry puts the editor and the mail program, as start-up and
// help read them.
struct InstallPlaces {
    // The editor counts as installed when its install location is in the
    // registry at all, even empty.
    std::optional<std::string> editorInstall;
    // The editor's macro directory when it is installed and the value is set
    // and not empty (it is not read without the editor).
    std::optional<std::string> editorMacros;
    // The mail program's directory, ending with its separator as the mail
    // program stores it: the registry's value when it is set and not empty,
    // else the directory of the running program, the mail program itself.
    std::string mailProgram;
};
InstallPlaces ReadInstallPlaces();

// The directory that holds the profile file, and the help text beside it: an
// installed editor's macro directory, else its install location; the mail
// program's directory without the editor, or where the editor's values are
// empty (an empty one taken as a directory would be the root of the drive).
std::string FindBaseDirectory(const InstallPlaces& places);
// That directory followed by "\ZentoroMailSearch.ini", joined as they stand.
std::string ProfilePath(const InstallPlaces& places);

struct PluginState;

// Start-up: a state with its profile store, history, scope and check box,
// and the host library bound.
std::unique_ptr<PluginState> Start();
// The plug-in's one state, started at the first call of `search` and not
// again: DllMain runs under the loader lock, where nothing that reads the
// registry or a file, or loads a library, may run (a profile on a share not
// reachable yet would hold every thread start and DLL load of the mail
// program for the network's time-out).
PluginState& StartOnce();
// Unload: the state goes. Not at the process's end, where other threads were
// stopped wherever they were and the heap may be in any state.
void Detach();

}  // namespace zms
