// The registry path reader over the registry itself: natively our .reg file
// layer, under wine the real Win32 calls. The same paths must give the same
// bytes and the same last errors on all three builds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "settings/registry_path_reader.h"
#include "tests/unit/registry_fixture.h"

namespace zms {
namespace {

using platform::RegRoot;

constexpr uint32_t kUntouched = 0xDEAD;

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<char, FreeDeleter>;

// Key names of the tests; "{U}" stands for the fixture's own key name.
constexpr char kEnv[] = "Software\\{U}\\Env";
constexpr char kData[] = "Software\\{U}\\Data";
constexpr char kKanaKey[] = "Software\\{U}\\\x83\x5c\x83\x74\x83\x67";  // "ソフト", 0x5C inside
constexpr char kRootValue[] = "ZmsRootValue-{U}";

// Values stored for the data-form cases, read back from kData.
struct DataCase {
    const char* name;
    uint32_t type;
    std::string stored;
};

const DataCase kDataCases[] = {
    {"Terminated", platform::kRegString, std::string("abc\0", 4)},
    {"Unterminated", platform::kRegString, "abc"},
    {"Escapes", platform::kRegString, std::string("say \"hi\" \\ bye\0", 16)},
    {"Japanese", platform::kRegString, std::string("\x8e\xf3\x90\x4d\0", 5)},  // "受信"
    {"Expand", kRegExpandString, std::string("%TEMP%\\x\0", 9)},
    {"Multi", kRegMultiString, std::string("a\0b\0\0", 5)},
    {"Binary", platform::kRegBinary, "abc"},
    {"BinaryZeros", platform::kRegBinary, std::string("\0\0x", 3)},
    {"Empty", platform::kRegBinary, ""},
    {"Dword", platform::kRegDword, std::string("\x0a\0\0\0", 4)},
    {"DwordNoZero", platform::kRegDword, "DCBA"},
    {"Qword", 11, "\x01\x02\x03\x04\x05\x06\x07\x08"},
};

class RegistryPathReaderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registry_ = new test::RegistryFixture;
        Set(RegRoot::kCurrentUser, kEnv, "MacroPath", Text("C:\\Macros\\"));
        Set(RegRoot::kLocalMachine, kEnv, "MacroPath", Text("D:\\Machine\\"));
        Set(RegRoot::kCurrentUser, "", kRootValue, Text("at the root"));
        Set(RegRoot::kCurrentUser, kKanaKey, "Name", Text("kana key"));
        Set(RegRoot::kCurrentUser, kEnv, "\x95\x5c", Text("table"));  // "表", 0x5C inside
        Set(RegRoot::kCurrentUser, LongKey(), "V", Text("long"));
        Set(RegRoot::kCurrentUser, LongKey(), "VX", Text("too long"));
        for (const DataCase& c : kDataCases) {
            registry_->Set(RegRoot::kCurrentUser, Fill(kData), c.name, c.type, c.stored);
        }
    }
    static void TearDownTestSuite() {
        delete registry_;
        registry_ = nullptr;
    }

    static std::string Fill(std::string text) {
        for (size_t at; (at = text.find("{U}")) != std::string::npos;) {
            text.replace(at, 3, registry_->Unique());
        }
        return text;
    }
    static std::string Text(const char* s) { return std::string(s) + '\0'; }
    static void Set(RegRoot root, const std::string& key, const std::string& name,
                    const std::string& data) {
        registry_->Set(root, Fill(key), Fill(name), platform::kRegString, data);
    }
    // A key whose value "V" has a path of exactly kRegistryPathMax characters.
    static std::string LongKey() {
        const std::string head = Fill("HKEY_CURRENT_USER\\Software\\{U}\\");
        return Fill("Software\\{U}\\") + std::string(kRegistryPathMax - head.size() - 2, 'L');
    }

    // Reads `path` with "{U}" filled in; the last error is kUntouched before.
    static Buffer Read(const std::string& path, uint32_t* type = nullptr) {
        platform::SetLastErrorCode(kUntouched);
        return Buffer(ReadValue(Fill(path).c_str(), type));
    }

    static test::RegistryFixture* registry_;
};

test::RegistryFixture* RegistryPathReaderTest::registry_ = nullptr;

// Paths that name a stored string value, spelled in the ways the reader accepts.
struct PathCase {
    const char* what;
    const char* path;
    const char* expected;
};

const PathCase kPathCases[] = {
    {"full path", "HKEY_CURRENT_USER\\Software\\{U}\\Env\\MacroPath", "C:\\Macros\\"},
    {"root in lower case, names too", "hkey_current_user\\software\\{U}\\env\\macropath",
     "C:\\Macros\\"},
    {"local machine", "HKEY_LOCAL_MACHINE\\Software\\{U}\\Env\\MacroPath", "D:\\Machine\\"},
    {"local machine, mixed case", "Hkey_Local_Machine\\Software\\{U}\\Env\\MacroPath",
     "D:\\Machine\\"},
    {"alias USR", "USR\\Software\\{U}\\Env\\MacroPath", "C:\\Macros\\"},
    {"alias SYS", "SYS\\Software\\{U}\\Env\\MacroPath", "D:\\Machine\\"},
    {"alias in lower case", "usr\\Software\\{U}\\Env\\MacroPath", "C:\\Macros\\"},
    {"root and value name only", "HKEY_CURRENT_USER\\ZmsRootValue-{U}", "at the root"},
    {"alias and value name only", "USR\\ZmsRootValue-{U}", "at the root"},
    {"leading backslash", "\\HKEY_CURRENT_USER\\Software\\{U}\\Env\\MacroPath", "C:\\Macros\\"},
    {"doubled backslashes", "HKEY_CURRENT_USER\\\\Software\\{U}\\\\\\Env\\\\MacroPath",
     "C:\\Macros\\"},
    {"trailing backslash: last non-empty component is the value",
     "HKEY_CURRENT_USER\\Software\\{U}\\Env\\MacroPath\\", "C:\\Macros\\"},
    {"trailing backslashes", "HKEY_CURRENT_USER\\Software\\{U}\\Env\\MacroPath\\\\\\",
     "C:\\Macros\\"},
    {"0x5C as second byte in a key name",
     "HKEY_CURRENT_USER\\Software\\{U}\\\x83\x5c\x83\x74\x83\x67\\Name", "kana key"},
    {"0x5C as second byte ending the value name", "HKEY_CURRENT_USER\\Software\\{U}\\Env\\\x95\x5c",
     "table"},
};

TEST_F(RegistryPathReaderTest, ReadsTheNamedValue) {
    for (const PathCase& c : kPathCases) {
        uint32_t type = 0;
        const Buffer data = Read(c.path, &type);
        ASSERT_NE(data, nullptr) << c.what << ": last error " << platform::LastErrorCode();
        EXPECT_STREQ(data.get(), c.expected) << c.what;
        EXPECT_EQ(type, platform::kRegString) << c.what;
    }
}

TEST_F(RegistryPathReaderTest, PathOfTheLongestLengthReads) {
    const std::string path = "HKEY_CURRENT_USER\\" + Fill(LongKey()) + "\\V";
    ASSERT_EQ(path.size(), kRegistryPathMax);
    const Buffer data = Read(path);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data.get(), "long");
}

// Whatever the type and whether a terminator was stored, the stored bytes come
// first and a NUL follows them.
TEST_F(RegistryPathReaderTest, DataComesBackAsStoredAndTerminated) {
    for (const DataCase& c : kDataCases) {
        uint32_t type = 0;
        const Buffer data = Read(std::string("HKEY_CURRENT_USER\\") + kData + "\\" + c.name, &type);
        ASSERT_NE(data, nullptr) << c.name << ": last error " << platform::LastErrorCode();
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(std::string(data.get(), c.stored.size() + 1), c.stored + '\0') << c.name;
    }
}

// Paths that give no data, and the last error each leaves.
struct FailureCase {
    const char* what;
    std::string path;
    uint32_t error;
};

TEST_F(RegistryPathReaderTest, FailuresGiveNullAndTheirLastError) {
    const std::string longKey = "HKEY_CURRENT_USER\\" + LongKey();
    const FailureCase cases[] = {
        {"common abbreviation not in the table", "HKCU\\Software\\{U}\\Env\\MacroPath",
         platform::kErrorPathNotFound},
        {"root name with a letter more", "HKEY_CURRENT_USERS\\Software\\{U}\\Env\\MacroPath",
         platform::kErrorPathNotFound},
        {"root name cut short", "HKEY_CURRENT_USE\\Software\\{U}\\Env\\MacroPath",
         platform::kErrorPathNotFound},
        {"alias with a letter more", "USRX\\Software\\{U}\\Env\\MacroPath",
         platform::kErrorPathNotFound},
        {"missing key", "HKEY_CURRENT_USER\\Software\\{U}\\Nowhere\\MacroPath",
         platform::kErrorFileNotFound},
        {"missing value", "HKEY_CURRENT_USER\\Software\\{U}\\Env\\Nothing",
         platform::kErrorFileNotFound},
        {"key of the other root", "SYS\\Software\\{U}\\Data\\Binary", platform::kErrorFileNotFound},
        {"value name taken for a key", "USR\\Software\\{U}\\Env\\MacroPath\\X",
         platform::kErrorFileNotFound},
        {"empty path", "", platform::kErrorInvalidParameter},
        {"backslashes only", "\\\\\\", platform::kErrorInvalidParameter},
        {"root alone", "HKEY_CURRENT_USER", platform::kErrorInvalidParameter},
        {"root and backslashes", "\\HKEY_CURRENT_USER\\\\", platform::kErrorInvalidParameter},
        {"alias alone", "USR", platform::kErrorInvalidParameter},
        {"one character over the longest path", longKey + "\\VX", platform::kErrorInvalidParameter},
        {"far over the longest path", longKey + "\\" + std::string(1000, 'V'),
         platform::kErrorInvalidParameter},
        {"over the longest path through backslashes",
         "HKEY_CURRENT_USER" + std::string(300, '\\') + "Software\\{U}\\Env\\MacroPath",
         platform::kErrorInvalidParameter},
        {"long root name", std::string(250, 'H') + "\\V", platform::kErrorPathNotFound},
    };
    for (const FailureCase& c : cases) {
        EXPECT_EQ(Read(c.path), nullptr) << c.what;
        EXPECT_EQ(platform::LastErrorCode(), c.error) << c.what;
    }
}

TEST_F(RegistryPathReaderTest, NullPathGivesNull) {
    platform::SetLastErrorCode(kUntouched);
    EXPECT_EQ(ReadValue(nullptr, nullptr), nullptr);
    EXPECT_EQ(platform::LastErrorCode(), platform::kErrorInvalidParameter);
}

TEST_F(RegistryPathReaderTest, OpenKeyHandsBackTheValueNameAndAKeyToQuery) {
    char name[kRegistryTextSize];
    const platform::RegKey key = OpenKey(Fill("USR\\Software\\{U}\\\\Env\\MacroPath\\").c_str(),
                                         platform::kRegQueryValueAccess, name);
    ASSERT_NE(key, platform::kNoRegKey);
    EXPECT_STREQ(name, "MacroPath");
    const Buffer data(QueryValue(key, name, nullptr));
    CloseKey(key);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data.get(), "C:\\Macros\\");
}

// Names of roots as callers might write them, and the key each gives.
struct RootCase {
    const char* name;
    RegRoot root;
};

const RootCase kRootCases[] = {
    {"HKEY_CLASSES_ROOT", RegRoot::kClassesRoot},
    {"HKEY_CURRENT_USER\\", RegRoot::kCurrentUser},
    {"hkey_current_user", RegRoot::kCurrentUser},
    {"USR", RegRoot::kCurrentUser},
    {"usr\\", RegRoot::kCurrentUser},
    {"HKEY_LOCAL_MACHINE", RegRoot::kLocalMachine},
    {"Sys", RegRoot::kLocalMachine},
    {"HKEY_USERS", RegRoot::kUsers},
    {"HKEY_PERFORMANCE_DATA", RegRoot::kPerformanceData},
    {"HKEY_CURRENT_CONFIG", RegRoot::kCurrentConfig},
    {"HKEY_DYN_DATA", RegRoot::kDynData},
    {"HKEY_PERFORMANCE_TEXT", RegRoot::kPerformanceText},
    {"hkey_performance_nlstext", RegRoot::kPerformanceNlsText},
};

TEST(FindRootTest, EachRootNameAndAliasGivesItsKey) {
    for (const RootCase& c : kRootCases) {
        EXPECT_EQ(FindRoot(c.name), platform::RegRootKey(c.root)) << c.name;
    }
}

TEST(FindRootTest, OtherNamesGiveNoKey) {
    const std::string overlong[] = {std::string(kRegistryPathMax, 'A'),
                                    std::string(kRegistryPathMax + 40, 'A')};
    const char* const names[] = {"HKCU",
                                 "HKLM",
                                 "",
                                 "\\",
                                 "HKEY_CURRENT_USER\\\\",
                                 "HKEY_CURRENT_USER ",
                                 "SYS\\X",
                                 overlong[0].c_str(),
                                 overlong[1].c_str(),
                                 nullptr};
    for (const char* name : names) {
        platform::SetLastErrorCode(kUntouched);
        EXPECT_EQ(FindRoot(name), platform::kNoRegKey) << (name ? name : "(null)");
        EXPECT_EQ(platform::LastErrorCode(), platform::kErrorPathNotFound);
    }
}

}  // namespace
}  // namespace zms
