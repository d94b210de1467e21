// The command line that opens the help text, for each state of the registry.
#include <gtest/gtest.h>

#include "platform/process.h"
#include "plugin/help.h"

namespace zms {
namespace {

using Opt = std::optional<std::string>;

TEST(HelpCommandLine, FollowsWhatTheRegistryHolds) {
    struct {
        Opt install, macros;
        std::string mail;
        const char* expected;
    } cases[] = {
        // The editor with the help text in its macro directory.
        {"C:\\Zentoro", "D:\\macros", "C:\\Mail\\",
         "\"C:\\Zentoro\\Zentoro.exe\" \"/j86 D:\\macros\\ZentoroMailSearch.txt\""},
        // No macro directory: the install location.
        {"C:\\Zentoro", std::nullopt, "C:\\Mail\\",
         "\"C:\\Zentoro\\Zentoro.exe\" \"/j86 C:\\Zentoro\\ZentoroMailSearch.txt\""},
        // No editor: Notepad, the mail program's directory as stored (its
        // trailing backslash kept), or the running program's.
        {std::nullopt, std::nullopt, "C:\\Mail\\", "notepad.exe \"C:\\Mail\\\\ZentoroMailSearch.txt\""},
        // An editor installed at an empty location: no program to start, the
        // help text in its macro directory, else the mail program's.
        {"", "D:\\macros", "C:\\Mail\\", "notepad.exe \"D:\\macros\\ZentoroMailSearch.txt\""},
        {"", std::nullopt, "C:\\Mail\\", "notepad.exe \"C:\\Mail\\\\ZentoroMailSearch.txt\""},
    };
    for (const auto& c : cases) {
        const HelpCommand help = HelpCommandFor({c.install, c.macros, c.mail});
        EXPECT_EQ(help.commandLine, c.expected);
        // Notepad by the full path of the system's own, never by its bare name
        // (which a planted notepad.exe beside the mail program would answer).
        const bool notepad = help.commandLine.rfind("notepad.exe ", 0) == 0;
        if (notepad) {
            EXPECT_EQ(help.program, platform::SystemProgram("notepad.exe"));
            EXPECT_GT(help.program.size(), std::string("/notepad.exe").size()) << help.program;
        } else {
            EXPECT_EQ(help.program, "") << "the editor is named by the command line";
        }
    }
}

}  // namespace
}  // namespace zms
