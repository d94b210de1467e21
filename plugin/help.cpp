#include "plugin/help.h"

#include <optional>

#include "platform/process.h"
#include "plugin/startup.h"
#include "plugin/registry_paths.h"

namespace zms {

namespace {

constexpr char kHelpFile[] = "\\ZentoroMailSearch.txt\"";

std::string g_helpCommandLine;

}  // namespace

std::string HelpCommandLineFor(const std::optional<std::string>& editorInstall,
                               const std::optional<std::string>& editorMacros,
                               const std::optional<std::string>& mailProgram,
                               const std::string& pluginDirectory) {
    if (editorInstall)
        return "\"" + *editorInstall + "\\Zentoro.exe\" \"/j86 " + editorMacros.value_or(*editorInstall) +
               kHelpFile;
    // Neither the editor nor the mail program in the registry: the help text
    // is looked for beside the plug-in, where the profile then lies too.
    return "notepad.exe \"" + mailProgram.value_or(pluginDirectory) + kHelpFile;
}

const std::string& HelpCommandLine() {
    if (g_helpCommandLine.empty()) {
        std::optional<std::string> install = ReadDirectoryValue(registry_paths::kEditorInstallLocation);
        std::optional<std::string> macros, mail;
        if (install) macros = ReadDirectoryValue(registry_paths::kEditorMacroDirectory);
        else mail = ReadDirectoryValue(registry_paths::kMailProgramDirectory);
        g_helpCommandLine = HelpCommandLineFor(install, macros, mail, PluginDirectory());
    }
    return g_helpCommandLine;
}

void ShowHelp() { platform::StartProcess(HelpCommandLine().c_str()); }

void ResetHelp() { g_helpCommandLine.clear(); }

}  // namespace zms
