// Start-up when the registry fails it: no values at all, or values of another
// type, unterminated, empty. The plug-in still loads, finds a profile
// directory (the running program's, the mail program's, when there is none),
// and binds no host entry when the mail program's directory leads to no
// VRInfo.dll, so that `search` stops at its first check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/process.h"
#include "platform/registry.h"
#include "plugin/plugin_state.h"
#include "plugin/startup.h"
#include "settings/profile_store.h"
#include "tests/unit/fault_registry_values.h"
#include "tests/unit/temp_dir.h"

namespace zms {
namespace {

using Value = std::optional<RawValue>;

RawValue Terminated(const std::string& text) { return {platform::kRegString, text + '\0'}; }
RawValue Raw(uint32_t type, const std::string& bytes) { return {type, bytes}; }

struct RegistryCase {
    const char* what;
    Value install, macros, mail;
    std::string expectedBase;  // FindBaseDirectory
};

// The directory the test owns stands for "DIR" in the values below, the
// directory of the test program for "PROGRAM".
constexpr char kDir[] = "DIR";
constexpr char kProgram[] = "PROGRAM";

std::string Expand(const std::string& s, const std::string& dir) {
    if (s == kProgram) return platform::ProgramDirectory();
    std::string out = s;
    for (std::size_t at; (at = out.find(kDir)) != std::string::npos;) out.replace(at, 3, dir);
    return out;
}

std::optional<RawValue> Expand(const Value& v, const std::string& dir) {
    if (!v) return std::nullopt;
    return RawValue{v->type, Expand(v->bytes, dir)};
}

const RegistryCase kCases[] = {
    {"no value at all", {}, {}, {}, kProgram},
    {"install location unterminated text", Raw(platform::kRegString, "DIR"), {}, {}, "DIR"},
    {"install location binary, macro directory unterminated expandable text",
     Raw(platform::kRegBinary, "elsewhere"),
     Raw(kRegExpandString, "DIR"),
     {},
     "DIR"},
    {"install location a number: its four bytes as text", Raw(platform::kRegDword, "DIR"), {}, {},
     "" /* see the test: "DIR" cut at 4 bytes */},
    {"mail directory only, binary without terminator",
     {},
     {},
     Raw(platform::kRegBinary, "DIR"),
     "DIR"},
    {"mail directory a list of texts: the first",
     {},
     {},
     Raw(kRegMultiString, std::string("DIR\0second\0\0", 12)),
     "DIR"},
    {"mail directory only, a macro directory is not consulted",
     {},
     Terminated("elsewhere"),
     Raw(platform::kRegBinary, "DIR"),
     "DIR"},
    {"mail directory empty: the running program's", {}, {}, Terminated(""), kProgram},
    // An editor whose install location is empty is still installed: its macro
    // directory holds the profile. Only an empty result moves on (taken as a
    // directory, it would put the profile at the root of the drive).
    {"install location empty text, macro directory set",
     Terminated(""),
     Terminated("DIR"),
     Terminated("elsewhere"),
     "DIR"},
    {"install location of no bytes at all, mail directory set",
     Raw(platform::kRegString, ""),
     {},
     Raw(platform::kRegBinary, "DIR"),
     "DIR"},
    {"install location empty, nothing else", Terminated(""), {}, {}, kProgram},
    {"macro directory of no bytes at all",
     Terminated("DIR"),
     Raw(platform::kRegString, ""),
     {},
     "DIR"},
};

class FaultRegistry : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(FaultRegistry, StartUpFindsAProfileAndBindsNothingItCannotFind) {
    for (const RegistryCase& c : kCases) {
        SCOPED_TRACE(c.what);
        // A number holds only four bytes: give it the first four of the path.
        const bool number = c.install && c.install->type == platform::kRegDword;
        const std::string path = dir.Path();
        const Value install =
            number ? Value(Raw(platform::kRegDword, path.substr(0, 4))) : Expand(c.install, path);
        const std::string expected =
            number ? path.substr(0, 4) : Expand(c.expectedBase, path);

        const test::StartupRegistry registry(install, Expand(c.macros, path), Expand(c.mail, path));
        EXPECT_EQ(FindBaseDirectory(ReadInstallPlaces()), expected);

        const std::unique_ptr<PluginState> state = Start();
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->profile.Path(), expected + "\\ZentoroMailSearch.ini");
        // No VRInfo.dll at any of these places: nothing bound, search stops.
        EXPECT_EQ(state->host.IsZentoroMail, nullptr);
        EXPECT_EQ(state->host.MainWnd, nullptr);
        EXPECT_FALSE(HostLinkReadyForSearch(state->host));
        EXPECT_EQ(state->scope, Scope::kFolder);
        EXPECT_TRUE(state->history.Entries().empty());
        if (expected == path) {
            // The profile works where it lies.
            EXPECT_NE(state->profile.WriteString("History", "history0", "abc"), 0);
            char* read = state->profile.ReadString("History", "history0", nullptr);
            EXPECT_STREQ(read, "abc");
            std::free(read);
            EXPECT_EQ(dir.Listing(), "ZentoroMailSearch.ini");
            test::WriteBytes(dir.File("ZentoroMailSearch.ini"), "");
        }
    }
}

// The plug-in starts once; unload drops the state, and the next start reads
// the registry anew.
TEST_F(FaultRegistry, StartsOnceUntilUnloaded) {
    const std::string first = dir.File("first"), second = dir.File("second");
    std::optional<test::StartupRegistry> registry;
    registry.emplace(Terminated(first), std::nullopt, std::nullopt);
    const std::string path = StartOnce().profile.Path();
    EXPECT_EQ(path, first + "\\ZentoroMailSearch.ini");
    registry.emplace(Terminated(second), std::nullopt, std::nullopt);
    EXPECT_EQ(StartOnce().profile.Path(), path) << "started once";
    Detach();
    EXPECT_EQ(StartOnce().profile.Path(), second + "\\ZentoroMailSearch.ini");
    Detach();
}

}  // namespace
}  // namespace zms
