// Start-up when the registry fails it: no values at all, or values of another
// type, unterminated, empty. The plug-in still loads, finds a profile
// directory (beside itself when there is none), and binds no host entry when
// the mail program's directory leads to no VRInfo.dll, so that `search` stops
// at its first check.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "platform/registry.h"
#include "plugin/host_link.h"
#include "plugin/startup.h"
#include "settings/profile_store.h"
#include "tests/unit/fault_registry_values.h"
#include "tests/unit/temp_dir.h"

namespace zms {
namespace {

using test::RawValue;
using Value = std::optional<RawValue>;

RawValue Terminated(const std::string& text) { return {platform::kRegString, text + '\0'}; }
RawValue Raw(uint32_t type, const std::string& bytes) { return {type, bytes}; }

struct RegistryCase {
    const char* what;
    Value install, macros, mail;
    std::optional<std::string> expectedBase;  // FindBaseDirectory; nullopt: null
};

// The directory the test owns stands for "DIR" in the values below.
constexpr char kDir[] = "DIR";

std::string Expand(const std::string& s, const std::string& dir) {
    std::string out = s;
    for (std::size_t at; (at = out.find(kDir)) != std::string::npos;) out.replace(at, 3, dir);
    return out;
}

std::optional<RawValue> Expand(const Value& v, const std::string& dir) {
    if (!v) return std::nullopt;
    return RawValue{v->type, Expand(v->bytes, dir)};
}

const RegistryCase kCases[] = {
    {"no value at all", {}, {}, {}, std::nullopt},
    {"install location unterminated text", Raw(platform::kRegString, "DIR"), {}, {}, "DIR"},
    {"install location binary, macro directory unterminated expandable text",
     Raw(platform::kRegBinary, "elsewhere"),
     Raw(platform::kRegExpandString, "DIR"),
     {},
     "DIR"},
    {"install location a number: its four bytes as text",
     Raw(platform::kRegDword, "DIR"),
     {},
     {},
     std::nullopt /* see the test: "DIR" cut at 4 bytes */},
    {"mail directory only, binary without terminator",
     {},
     {},
     Raw(platform::kRegBinary, "DIR"),
     "DIR"},
    {"mail directory a list of texts: the first",
     {},
     {},
     Raw(platform::kRegMultiString, std::string("DIR\0second\0\0", 12)),
     "DIR"},
    {"mail directory only, a macro directory is not consulted",
     {},
     Terminated("elsewhere"),
     Raw(platform::kRegBinary, "DIR"),
     "DIR"},
    // An empty value names no directory (taken as one, the profile would lie
    // at the root of the drive): the next place in the order is used.
    {"install location of no bytes at all", Raw(platform::kRegString, ""), {}, {}, std::nullopt},
    {"install location empty text, mail directory set",
     Terminated(""),
     Terminated("elsewhere"),
     Raw(platform::kRegBinary, "DIR"),
     "DIR"},
    {"macro directory of no bytes at all",
     Terminated("DIR"),
     Raw(platform::kRegString, ""),
     {},
     "DIR"},
};

class FaultRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        savedHost_ = g_host;
        savedStore_ = g_profileStore;
        savedSearch_ = g_search;
        g_profileStore = nullptr;
        QueryHistory::clear();
    }
    void TearDown() override {
        Detach();
        g_host = savedHost_;
        g_profileStore = savedStore_;
        g_search = savedSearch_;
        QueryHistory::clear();
    }

    test::TempDir dir;

private:
    HostLink savedHost_;
    ProfileStore* savedStore_ = nullptr;
    SearchState savedSearch_;
};

TEST_F(FaultRegistry, StartUpFindsAProfileAndBindsNothingItCannotFind) {
    for (const RegistryCase& c : kCases) {
        SCOPED_TRACE(c.what);
        // A number holds only four bytes: give it the first four of the path.
        const bool number = c.install && c.install->type == platform::kRegDword;
        const std::string path = dir.Path();
        const Value install =
            number ? Value(Raw(platform::kRegDword, path.substr(0, 4))) : Expand(c.install, path);
        std::optional<std::string> expected =
            number ? std::optional<std::string>(path.substr(0, 4)) : c.expectedBase;
        if (expected) expected = Expand(*expected, path);

        const test::StartupRegistry registry(install, Expand(c.macros, path), Expand(c.mail, path));
        char* base = FindBaseDirectory();
        if (expected) {
            ASSERT_NE(base, nullptr);
            EXPECT_EQ(std::string(base), *expected);
        } else {
            EXPECT_EQ(base, nullptr);
        }
        std::free(base);

        g_host = HostLink{};
        Attach(nullptr);
        ASSERT_NE(g_profileStore, nullptr);
        const std::string profileDir = expected ? *expected : PluginDirectory();
        EXPECT_EQ(g_profileStore->Path(), profileDir + "\\ZentoroMailSearch.ini");
        // No VRInfo.dll at any of these places: nothing bound, search stops.
        EXPECT_EQ(g_host.IsZentoroMail, nullptr);
        EXPECT_EQ(g_host.MainWnd, nullptr);
        EXPECT_FALSE(HostLinkReadyForSearch());
        EXPECT_EQ(g_search.scope, kScopeFolder);
        EXPECT_EQ(QueryHistory::size(), 0u);
        if (expected && *expected == path) {
            // The profile works where it lies.
            EXPECT_NE(g_profileStore->WriteString("History", "history0", "abc"), 0);
            char* read = g_profileStore->ReadString("History", "history0", nullptr);
            EXPECT_STREQ(read, "abc");
            std::free(read);
            EXPECT_EQ(dir.Listing(), "ZentoroMailSearch.ini");
            test::WriteBytes(dir.File("ZentoroMailSearch.ini"), "");
        }
        Detach();
        EXPECT_EQ(g_profileStore, nullptr);
    }
}

}  // namespace
}  // namespace zms
