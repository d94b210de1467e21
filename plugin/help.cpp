#include "plugin/help.h"

#include <cstdlib>

#include "platform/process.h"
#include "plugin/startup.h"
#include "plugin/registry_paths.h"
#include "settings/registry_path_reader.h"

namespace zms {

namespace {

constexpr char kHelpFile[] = "\\ZentoroMailSearch.txt\"";

std::string g_helpCommandLine;

// The value as text; `found` tells whether it could be read at all.
std::string ReadText(const char* path, bool& found) {
    char* value = ReadValue(path, nullptr);
    found = value != nullptr;
    std::string text = found ? value : "";
    std::free(value);
    return text;
}

std::string BuildCommandLine() {
    bool haveEditor = false, haveMacros = false, haveMail = false;
    std::string install = ReadText(registry_paths::kEditorInstallLocation, haveEditor);
    if (haveEditor) {
        std::string macros = ReadText(registry_paths::kEditorMacroDirectory, haveMacros);
        return "\"" + install + "\\Zentoro.exe\" \"/j86 " + (haveMacros ? macros : install) + kHelpFile;
    }
    // Neither the editor nor the mail program in the registry: the help text
    // is looked for beside the plug-in, where the profile then lies too.
    std::string mail = ReadText(registry_paths::kMailProgramDirectory, haveMail);
    return "notepad.exe \"" + (haveMail ? mail : PluginDirectory()) + kHelpFile;
}

}  // namespace

const std::string& HelpCommandLine() {
    if (g_helpCommandLine.empty()) g_helpCommandLine = BuildCommandLine();
    return g_helpCommandLine;
}

void ShowHelp() { platform::StartProcess(HelpCommandLine().c_str()); }

void ResetHelp() { g_helpCommandLine.clear(); }

}  // namespace zms
