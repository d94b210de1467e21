// The command line that opens the help text, for each state of the registry.
#include <gtest/gtest.h>

#include "plugin/help.h"

namespace zms {
namespace {

using Opt = std::optional<std::string>;

TEST(HelpCommandLine, FollowsWhatTheRegistryHolds) {
    struct {
        Opt install, macros, mail;
        const char* expected;
    } cases[] = {
        // The editor with the help text in its macro directory.
        {"C:\\Zentoro", "D:\\macros", "C:\\Mail\\",
         "\"C:\\Zentoro\\Zentoro.exe\" \"/j86 D:\\macros\\ZentoroMailSearch.txt\""},
        // No macro directory: the install location.
        {"C:\\Zentoro", std::nullopt, "C:\\Mail\\",
         "\"C:\\Zentoro\\Zentoro.exe\" \"/j86 C:\\Zentoro\\ZentoroMailSearch.txt\""},
        // No editor: Notepad, the mail program's directory as stored (its
        // trailing backslash kept), even with a macro directory.
        {std::nullopt, "D:\\macros", "C:\\Mail\\", "notepad.exe \"C:\\Mail\\\\ZentoroMailSearch.txt\""},
        // Nothing at all: beside the plug-in.
        {std::nullopt, std::nullopt, std::nullopt, "notepad.exe \"E:\\plugins\\ZentoroMailSearch.txt\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpCommandLineFor(c.install, c.macros, c.mail, "E:\\plugins"), c.expected);
}

}  // namespace
}  // namespace zms
