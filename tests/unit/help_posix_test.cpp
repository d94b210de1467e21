// The help command line is built once, from the registry of that moment, and
// kept: natively the registry is a .reg file this test rewrites in between.
#include <gtest/gtest.h>

#include "plugin/help.h"
#include "plugin/registry_paths.h"
#include "temp_dir.h"
#include "tools/registry_writer/registry_writer.h"

namespace zms {
namespace {

TEST(HelpCommandLine, IsBuiltOnceAndKeptUntilUnload) {
    test::TempDir dir;
    RegistryWriter registry(dir.File("registry.reg"));
    registry.Set(registry_paths::kEditorInstallLocation, RegText("/opt/first"));
    std::optional<HelpCommand> kept;
    const std::string first = KeptHelpCommand(kept).commandLine;
    EXPECT_EQ(first, "\"/opt/first\\Zentoro.exe\" \"/j86 /opt/first\\ZentoroMailSearch.txt\"");
    registry.Set(registry_paths::kEditorInstallLocation, RegText("/opt/second"));
    EXPECT_EQ(KeptHelpCommand(kept).commandLine, first) << "a later change of the registry is not followed";
    std::optional<HelpCommand> another;
    EXPECT_NE(KeptHelpCommand(another).commandLine, first);
}

}  // namespace
}  // namespace zms
