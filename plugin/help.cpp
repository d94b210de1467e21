#include "plugin/help.h"

#include "platform/process.h"

namespace zms {

namespace {

constexpr char kHelpFile[] = "\\ZentoroMailSearch.txt\"";

}  // namespace

HelpCommand HelpCommandFor(const InstallPlaces& places) {
    const std::string helpFile = FindBaseDirectory(places) + kHelpFile;
    // An empty install location names no editor program to start.
    if (places.editorInstall && !places.editorInstall->empty())
        return {"", "\"" + *places.editorInstall + "\\Zentoro.exe\" \"/j86 " + helpFile};
    return {platform::SystemProgram("notepad.exe"), "notepad.exe \"" + helpFile};
}

const HelpCommand& KeptHelpCommand(std::optional<HelpCommand>& kept) {
    if (!kept) kept = HelpCommandFor(ReadInstallPlaces());
    return *kept;
}

void ShowHelp(std::optional<HelpCommand>& kept) {
    const HelpCommand& help = KeptHelpCommand(kept);
    platform::StartProcess(help.program.empty() ? nullptr : help.program.c_str(),
                           help.commandLine.c_str());
}

}  // namespace zms
