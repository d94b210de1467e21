// The help command line is built once, from the registry of that moment, and
// kept: natively the registry is a .reg file this test rewrites in between.
#include <gtest/gtest.h>

#include "plugin/help.h"
#include "temp_dir.h"
#include "test_env.h"

namespace zms {
namespace {

void WriteRegistry(const std::string& file, const char* install) {
    test::WriteBytes(file,
                     std::string("Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                                 "Uninstall\\Zentoro]\r\n\"InstallLocation\"=\"") +
                         install + "\"\r\n");
}

TEST(HelpCommandLine, IsBuiltOnceAndKeptUntilUnload) {
    test::TempDir dir;
    const std::string reg = dir.File("registry.reg");
    WriteRegistry(reg, "/opt/first");
    test::SetEnvironment("ZMS_REGISTRY", reg.c_str());
    ResetHelp();
    const std::string first = KeptHelpCommand().commandLine;
    EXPECT_EQ(first, "\"/opt/first\\Zentoro.exe\" \"/j86 /opt/first\\ZentoroMailSearch.txt\"");
    WriteRegistry(reg, "/opt/second");
    EXPECT_EQ(KeptHelpCommand().commandLine, first) << "a later change of the registry is not followed";
    ResetHelp();
    EXPECT_NE(KeptHelpCommand().commandLine, first);
    ResetHelp();
    test::SetEnvironment("ZMS_REGISTRY", nullptr);
}

}  // namespace
}  // namespace zms
