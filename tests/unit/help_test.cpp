// The command line that opens the help text, for each state of the registry.
#include <gtest/gtest.h>

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
    for (const auto& c : cases)
        EXPECT_EQ(HelpCommandLineFor({c.install, c.macros, c.mail}), c.expected);
}

}  // namespace
}  // namespace zms
