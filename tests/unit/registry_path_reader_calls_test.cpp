// What the registry path reader asks of the registry, and what it closes, for
// each answer the registry may give. This executable links the reader with the
// stand-in below in place of platform/registry.h's implementation, so the
// answers a real registry gives rarely (a failing size query, a value that
// grows between the two queries, a narrow string whose first size is its wide
// one) are given on demand, and every open and close is seen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "settings/registry_path_reader.h"

namespace zms {
namespace {

using platform::RegKey;
using platform::RegRoot;

constexpr RegKey kRootBase = 0x8000;  // the stand-in's roots: kRootBase + index
constexpr RegKey kOpenedKey = 0x4242;

struct OpenCall {
    RegKey parent;
    std::string subKey;
    uint32_t access;
};

struct QueryCall {
    RegKey key;
    std::string name;
    bool withType;
    bool withData;
    uint32_t capacity;
};

// The stand-in registry: one value, scripted answers, and the calls it saw.
struct Registry {
    uint32_t openResult = platform::kErrorSuccess;
    RegKey openedKey = kOpenedKey;  // a root here plays an open that hands back its parent
    uint32_t sizeResult = platform::kErrorSuccess;
    uint32_t reportedSize = 3;                      // answer of the size query
    uint32_t dataResult = platform::kErrorSuccess;  // forced failure of the data query
    std::string data = "abc";                       // what the data query writes
    uint32_t type = platform::kRegBinary;

    std::vector<OpenCall> opens;
    std::vector<QueryCall> queries;
    std::vector<RegKey> closes;
    uint32_t lastError = 0;
};

Registry g_registry;

}  // namespace

namespace platform {

RegKey RegRootKey(RegRoot root) { return kRootBase + static_cast<RegKey>(root); }

uint32_t OpenRegKey(RegKey parent, const char* subKey, uint32_t access, RegKey* opened) {
    g_registry.opens.push_back({parent, subKey, access});
    *opened = g_registry.openResult == kErrorSuccess ? g_registry.openedKey : kNoRegKey;
    return g_registry.openResult;
}

uint32_t QueryRegValue(RegKey key, const char* name, uint32_t* type, unsigned char* data,
                       uint32_t* size) {
    Registry& r = g_registry;
    r.queries.push_back({key, name, type != nullptr, data != nullptr, *size});
    if (type != nullptr) *type = r.type;
    if (data == nullptr) {
        *size = r.reportedSize;
        return r.sizeResult;
    }
    std::memset(data, '#', *size);  // what was in the buffer stays visible after the data
    if (r.dataResult != kErrorSuccess) return r.dataResult;
    const auto needed = static_cast<uint32_t>(r.data.size());
    if (needed > *size) {
        *size = needed;
        return kErrorMoreData;
    }
    std::memcpy(data, r.data.data(), needed);
    *size = needed;
    return kErrorSuccess;
}

uint32_t CloseRegKey(RegKey key) {
    g_registry.closes.push_back(key);
    return kErrorSuccess;
}

void SetLastErrorCode(uint32_t code) { g_registry.lastError = code; }
uint32_t LastErrorCode() { return g_registry.lastError; }

}  // namespace platform

namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<char, FreeDeleter>;

constexpr char kMacroPath[] = "HKEY_CURRENT_USER\\Software\\Orlemco\\Zentoro\\Env\\MacroPath";

class RegistryCallsTest : public ::testing::Test {
protected:
    void SetUp() override { g_registry = Registry{}; }
    static Registry& R() { return g_registry; }
};

TEST_F(RegistryCallsTest, OpensTheSubKeyForQueryingQueriesTwiceAndClosesIt) {
    uint32_t type = 0;
    const Buffer data(ReadValue(kMacroPath, &type));
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data.get(), "abc");
    EXPECT_EQ(type, platform::kRegBinary);

    ASSERT_EQ(R().opens.size(), 1u);
    EXPECT_EQ(R().opens[0].parent, platform::RegRootKey(RegRoot::kCurrentUser));
    EXPECT_EQ(R().opens[0].subKey, "Software\\Orlemco\\Zentoro\\Env");
    EXPECT_EQ(R().opens[0].access, platform::kRegQueryValueAccess);

    ASSERT_EQ(R().queries.size(), 2u);
    for (const QueryCall& q : R().queries) {
        EXPECT_EQ(q.key, kOpenedKey);
        EXPECT_EQ(q.name, "MacroPath");
        EXPECT_TRUE(q.withType);
    }
    EXPECT_FALSE(R().queries[0].withData);
    EXPECT_TRUE(R().queries[1].withData);
    EXPECT_EQ(R().queries[1].capacity, R().reportedSize);

    EXPECT_EQ(R().closes, std::vector<RegKey>{kOpenedKey});
}

// How a path's components become the sub-key and the value name.
TEST_F(RegistryCallsTest, SubKeyAndValueNameFromThePath) {
    struct Case {
        const char* path;
        RegRoot root;
        const char* subKey;
        const char* valueName;
    };
    const Case cases[] = {
        {"SYS\\VorendaDir", RegRoot::kLocalMachine, "", "VorendaDir"},
        {"\\\\usr\\\\A\\\\\\B\\\\V\\\\", RegRoot::kCurrentUser, "A\\B", "V"},
        {"HKEY_USERS\\A\\\x83\x5c\\\x83\x5c", RegRoot::kUsers, "A\\\x83\x5c", "\x83\x5c"},
        {"HKEY_CURRENT_CONFIG\\A\\\x83", RegRoot::kCurrentConfig, "A", "\x83"},  // lone lead byte
    };
    for (const Case& c : cases) {
        g_registry = Registry{};
        const Buffer data(ReadValue(c.path, nullptr));
        EXPECT_NE(data, nullptr) << c.path;
        ASSERT_EQ(R().opens.size(), 1u) << c.path;
        EXPECT_EQ(R().opens[0].parent, platform::RegRootKey(c.root)) << c.path;
        EXPECT_EQ(R().opens[0].subKey, c.subKey) << c.path;
        ASSERT_EQ(R().queries.size(), 2u) << c.path;
        EXPECT_EQ(R().queries[0].name, c.valueName) << c.path;
        EXPECT_FALSE(R().queries[0].withType) << c.path;
    }
}

// An open of the empty sub-key may hand back the predefined root itself.
TEST_F(RegistryCallsTest, RootHandedBackByTheOpenIsNotClosed) {
    R().openedKey = platform::RegRootKey(RegRoot::kLocalMachine);
    const Buffer data(ReadValue("SYS\\VorendaDir", nullptr));
    EXPECT_NE(data, nullptr);
    EXPECT_TRUE(R().closes.empty());
}

TEST_F(RegistryCallsTest, CloseKeyLeavesThePredefinedRootsOpen) {
    for (int i = 0; i < platform::kRegRootCount; ++i) {
        CloseKey(platform::RegRootKey(static_cast<RegRoot>(i)));
    }
    CloseKey(platform::kNoRegKey);
    EXPECT_TRUE(R().closes.empty());
    CloseKey(kOpenedKey);
    EXPECT_EQ(R().closes, std::vector<RegKey>{kOpenedKey});
}

// Each failure: null, its last error, as many queries as it got to, and the
// opened key closed exactly once.
TEST_F(RegistryCallsTest, FailuresCloseWhatWasOpened) {
    struct Case {
        const char* what;
        void (*script)(Registry&);
        uint32_t error;
        size_t queries;
        size_t closes;
    };
    const Case cases[] = {
        {"key cannot be opened", [](Registry& r) { r.openResult = 5; }, 5, 0, 0},
        {"value missing", [](Registry& r) { r.sizeResult = platform::kErrorFileNotFound; },
         platform::kErrorFileNotFound, 1, 1},
        {"size query denied", [](Registry& r) { r.sizeResult = 5; }, 5, 1, 1},
        {"value grew between the queries", [](Registry& r) { r.data = "abcd"; },
         platform::kErrorMoreData, 2, 1},
        {"data query fails", [](Registry& r) { r.dataResult = 1018; }, 1018, 2, 1},
        {"no room for the terminator",
         [](Registry& r) { r.reportedSize = std::numeric_limits<uint32_t>::max(); },
         platform::kErrorNotEnoughMemory, 1, 1},
    };
    for (const Case& c : cases) {
        g_registry = Registry{};
        c.script(g_registry);
        EXPECT_EQ(ReadValue(kMacroPath, nullptr), nullptr) << c.what;
        EXPECT_EQ(R().lastError, c.error) << c.what;
        EXPECT_EQ(R().queries.size(), c.queries) << c.what;
        EXPECT_EQ(R().closes, std::vector<RegKey>(c.closes, kOpenedKey)) << c.what;
    }
}

TEST_F(RegistryCallsTest, PathsRefusedBeforeTheRegistryIsAsked) {
    const std::string overlong = "USR\\" + std::string(kRegistryPathMax, 'K') + "\\V";
    const char* const paths[] = {"HKCU\\Software\\V", "USR", "", overlong.c_str()};
    for (const char* path : paths) {
        EXPECT_EQ(ReadValue(path, nullptr), nullptr) << path;
    }
    EXPECT_TRUE(R().opens.empty());
    EXPECT_TRUE(R().queries.empty());
}

// The terminator goes after the bytes the data query wrote, which may be fewer
// than the size query announced (a narrow string's first answer can be the
// size of its wide form).
TEST_F(RegistryCallsTest, TerminatorFollowsTheBytesWritten) {
    struct Case {
        uint32_t reportedSize;
        std::string data;
    };
    const Case cases[] = {{8, "abc"}, {3, "abc"}, {4, std::string("ab\0c", 4)}, {0, ""}};
    for (const Case& c : cases) {
        g_registry = Registry{};
        R().reportedSize = c.reportedSize;
        R().data = c.data;
        const Buffer data(ReadValue(kMacroPath, nullptr));
        ASSERT_NE(data, nullptr) << c.reportedSize;
        EXPECT_EQ(std::string(data.get(), c.data.size() + 1), c.data + '\0') << c.reportedSize;
    }
}

}  // namespace
}  // namespace zms
