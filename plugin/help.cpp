#include "plugin/help.h"

#include "platform/process.h"
#include "plugin/test_hooks.h"

namespace zms {

namespace {

constexpr char kHelpFile[] = "\\ZentoroMailSearch.txt\"";

HelpCommand g_help;

}  // namespace

HelpCommand HelpCommandFor(const InstallPlaces& places) {
    const std::string helpFile = FindBaseDirectory(places) + kHelpFile;
    // An empty install location names no editor program to start.
    if (places.editorInstall && !places.editorInstall->empty())
        return {"", "\"" + *places.editorInstall + "\\Zentoro.exe\" \"/j86 " + helpFile};
    return {platform::SystemProgram("notepad.exe"), "notepad.exe \"" + helpFile};
}

const HelpCommand& KeptHelpCommand() {
    if (g_help.commandLine.empty()) g_help = HelpCommandFor(ReadInstallPlaces());
    return g_help;
}

void ShowHelp() {
    const HelpCommand& help = KeptHelpCommand();
    platform::StartProcess(help.program.empty() ? nullptr : help.program.c_str(),
                           help.commandLine.c_str());
}

}  // namespace zms

namespace zms::test_hooks {

void ForgetHelpCommand() { g_help = {}; }

}  // namespace zms::test_hooks
