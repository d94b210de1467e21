// The .reg file that the POSIX registry reads: the forms of the format that the
// shared registry tests do not write (they store values through the fixture).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/registry.h"
#include "tests/unit/temp_dir.h"

namespace zms {
namespace {

using platform::RegKey;

constexpr char kHeader[] = "Windows Registry Editor Version 5.00\n";
constexpr char kSection[] = "[HKEY_CURRENT_USER\\Software\\T]\n";

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("ZMS_REGISTRY", file_.c_str(), 1); }
    void TearDown() override { unsetenv("ZMS_REGISTRY"); }

    // Value `name` of HKEY_CURRENT_USER\Software\T as "<type>:<bytes>", or
    // "open <code>" / "query <code>" for a failure.
    std::string Read(const std::string& text, const char* name) {
        test::WriteBytes(file_, text);
        RegKey key = platform::kNoRegKey;
        const uint32_t rc =
            platform::OpenRegKey(platform::RegRootKey(platform::RegRoot::kCurrentUser),
                                 "Software\\T", platform::kRegQueryValueAccess, &key);
        if (rc != platform::kErrorSuccess) return "open " + std::to_string(rc);
        unsigned char data[64];
        uint32_t size = sizeof data;
        uint32_t type = 0;
        const uint32_t q = platform::QueryRegValue(key, name, &type, data, &size);
        platform::CloseRegKey(key);
        if (q != platform::kErrorSuccess) return "query " + std::to_string(q);
        return std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
    }

    test::TempDir dir_;
    std::string file_ = dir_.File("test.reg");
};

std::string Repeat(const std::string& s, int times) {
    std::string out;
    while (times-- > 0) out += s;
    return out;
}

struct FileCase {
    const char* what;
    std::string text;
    const char* name;
    std::string expected;
};

TEST_F(RegistryFileTest, ReadsTheFormsOfTheFormat) {
    const std::string head = std::string(kHeader) + kSection;
    const FileCase cases[] = {
        {"older header", std::string("REGEDIT4\n") + kSection + "\"V\"=\"x\"\n", "V",
         std::string("1:x\0", 4)},
        {"UTF-8 mark before the header", "\xEF\xBB\xBF" + head + "\"V\"=\"x\"\n", "V",
         std::string("1:x\0", 4)},
        {"CRLF, comments and blank lines",
         "\r\nWindows Registry Editor Version 5.00\r\n\r\n; "
         "note\r\n[HKEY_CURRENT_USER\\Software\\T]"
         "\r\n; \"V\"=\"no\"\r\n\r\n\"V\"=\"x\"\r\n",
         "V", std::string("1:x\0", 4)},
        {"default value", head + "@=\"d\"\n", "", std::string("1:d\0", 4)},
        {"other backslashes kept", head + "\"V\"=\"C:\\temp\\\\\"\n", "V",
         std::string("1:C:\\temp\\\0", 11)},
        {"0x5C second byte before the quote", head + "\"V\"=\"\x83\x5c\"\n", "V",
         std::string("1:\x83\x5c\0", 5)},
        {"short dword", head + "\"V\"=dword:a\n", "V", std::string("4:\x0a\0\0\0", 6)},
        {"hex continued on the next lines", head + "\"V\"=hex:61,\\\n  62,\\\r\n\t63\n", "V",
         "3:abc"},
        {"hex(N) with blanks and upper case", head + "\"V\"=hex(B): 41 ,4A\n", "V", "11:AJ"},
        {"empty hex list", head + "\"V\"=hex(0):\n", "V", "0:"},
        {"value given twice keeps the later", head + "\"V\"=\"1\"\n\"v\"=\"2\"\n", "V",
         std::string("1:2\0", 4)},
        {"repeated section adds up",
         head + "\"A\"=\"1\"\n[HKEY_CURRENT_USER\\Software\\X]\n" +
             "\"V\"=\"no\"\n[hkey_current_user\\software\\t]\n\"V\"=\"x\"\n",
         "V", std::string("1:x\0", 4)},
        {"malformed lines skipped", head + "\"V\"=dword:xyz\n\"V\"=hex:1,234\n\"V\"=\"x\" y\n", "V",
         "query 2"},
        {"line after a malformed one still read", head + "\"V\"=dword:123456789\n\"W\"=\"w\"\n",
         "W", std::string("1:w\0", 4)},
        {"too big for the buffer", head + "\"V\"=hex:00" + Repeat(",00", 64) + "\n", "V",
         "query 234"},
        {"no header", std::string(kSection) + "\"V\"=\"x\"\n", "V", "open 2"},
        {"section of an unknown root", std::string(kHeader) + "[HKCU\\Software\\T]\n\"V\"=\"x\"\n",
         "V", "open 2"},
        {"section with an empty component",
         std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\\\T]\n\"V\"=\"x\"\n", "V", "open 2"},
        {"key made to exist by a key below it",
         std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\T\\Deep]\n\"V\"=\"x\"\n", "V",
         "query 2"},
        {"key only sharing the beginning of its name",
         std::string(kHeader) +
             "[HKEY_CURRENT_USER\\Software\\T!]\n[HKEY_CURRENT_USER\\Software\\TT]\n",
         "V", "open 2"},
    };
    for (const FileCase& c : cases) EXPECT_EQ(Read(c.text, c.name), c.expected) << c.what;
}

TEST_F(RegistryFileTest, NoFileIsAnEmptyRegistry) {
    const RegKey root = platform::RegRootKey(platform::RegRoot::kCurrentUser);
    RegKey key = platform::kNoRegKey;
    for (bool unset : {false, true}) {
        if (unset) unsetenv("ZMS_REGISTRY");
        EXPECT_EQ(platform::OpenRegKey(root, "Software", 1, &key), platform::kErrorFileNotFound);
        EXPECT_EQ(key, platform::kNoRegKey);
        uint32_t size = 0;
        EXPECT_EQ(platform::QueryRegValue(root, "V", nullptr, nullptr, &size),
                  platform::kErrorFileNotFound);
    }
}

}  // namespace
}  // namespace zms
