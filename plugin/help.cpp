#include "plugin/help.h"

#include "platform/process.h"

namespace zms {

namespace {

constexpr char kHelpFile[] = "\\ZentoroMailSearch.txt\"";

std::string g_helpCommandLine;

}  // namespace

std::string HelpCommandLineFor(const InstallPlaces& places) {
    const std::string helpFile = FindBaseDirectory(places) + kHelpFile;
    // An empty install location names no editor program to start.
    if (places.editorInstall && !places.editorInstall->empty())
        return "\"" + *places.editorInstall + "\\Zentoro.exe\" \"/j86 " + helpFile;
    return "notepad.exe \"" + helpFile;
}

const std::string& HelpCommandLine() {
    if (g_helpCommandLine.empty()) g_helpCommandLine = HelpCommandLineFor(ReadInstallPlaces());
    return g_helpCommandLine;
}

void ShowHelp() { platform::StartProcess(HelpCommandLine().c_str()); }

void ResetHelp() { g_helpCommandLine.clear(); }

}  // namespace zms
