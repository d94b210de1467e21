// The section named "" ("[]"), which the plug-in never uses: keys written
// there read back, whatever bytes they begin with (but a comment's ';').
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "settings/profile_store.h"
#include "temp_dir.h"

namespace zms {
namespace {

std::string Read(const ProfileStore& store, const char* key) {
    char* value = store.ReadString("", key, nullptr);
    std::string out = value ? value : "<null>";
    std::free(value);
    return out;
}

// A file begins with a UTF-8 byte order mark only as a marker; a first key
// whose own bytes are those three (in code page 932 a user-defined character
// and a halfwidth katakana) must not be taken for one.
TEST(ProfilePosixProperties, FirstKeyBeginningWithTheByteOrderMarkReadsBack) {
    test::TempDir dir;
    const std::string path = dir.File("p.ini");
    ProfileStore store(path.c_str());
    ASSERT_NE(store.WriteString("", "\xEF\xBB\xBF'`", "v"), 0);
    EXPECT_EQ(Read(store, "\xEF\xBB\xBF'`"), "v");
    const std::string once = test::ReadBytes(path);
    ASSERT_NE(store.WriteString("", "\xEF\xBB\xBF'`", "v"), 0);
    EXPECT_EQ(test::ReadBytes(path), once);  // found again, not added twice
}

TEST(ProfilePosixProperties, KeysWithoutASectionReadBack) {
    std::mt19937 rng(5);
    const std::string kStarts[] = {"\xEF\xBB\xBF", "\xEF\xBB", "\xEF", "k", "\x81\x40", "#"};
    for (int i = 0; i < 200; ++i) {
        test::TempDir dir;
        ProfileStore store(dir.File("p.ini").c_str());
        const std::string key = kStarts[rng() % 6] + std::to_string(rng() % 100);
        const std::string value = "v" + std::to_string(i);
        ASSERT_NE(store.WriteString("", key.c_str(), value.c_str()), 0);
        ASSERT_EQ(Read(store, key.c_str()), value) << key;
        ASSERT_NE(store.WriteString("Named", "k", "x"), 0);
        ASSERT_EQ(Read(store, key.c_str()), value) << key;
    }
}

}  // namespace
}  // namespace zms
