// Our INI code's own choices where Win32 rewrites the whole file its way:
// every line a write does not concern stays byte for byte, and the file is
// replaced as a whole. And Windows' rules where wine differs, which only a
// test of our own layer can show (platform/posix/ini_text.h).
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "tests/unit/temp_dir.h"

namespace zms {
namespace {

using platform::WriteProfileString;
using test::ReadBytes;
using test::WriteBytes;

struct KeepCase {
    const char* what;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

const KeepCase kKeepCases[] = {
    {"LF file stays LF", "[A]\nk=1\n", "A", "j", "2", "[A]\nk=1\nj=2\n"},
    {"LF file without a last line end", "[A]\nk=1", "B", "j", "2", "[A]\nk=1\n[B]\nj=2\n"},
    {"new key before the blank lines", "[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n", "A", "n", "3",
     "[A]\r\nk=1\r\nn=3\r\n\r\n[B]\r\nj=2\r\n"},
    {"other lines keep their spacing", "  [A] \r\n  k = 1  \r\nj=2\r\n", "A", "j", "3",
     "  [A] \r\n  k = 1  \r\nj=3\r\n"},
    {"mixed line ends kept line by line", "[A]\nk=1\r\n[B]\r\nj=2\n", "B", "j", "3",
     "[A]\nk=1\r\n[B]\r\nj=3\n"},
    {"UTF-8 mark part of the first line", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2",
     "\xEF\xBB\xBF[A]\r\nk=1\r\n[A]\r\nk=2\r\n"},
    {"removing a section keeps the rest", "[A]\nk=1\n\n[B]\nj=2\n\n[C]\nm=3\n", "B", nullptr,
     nullptr, "[A]\nk=1\n\n[C]\nm=3\n"},
    {"first of two equal sections", "[A]\nk=1\n[A]\nk=2\n", "A", "k", "3", "[A]\nk=3\n[A]\nk=2\n"},
    // Windows' rules.
    {"a value written as given", "[A]\r\n", "A", "k", " v\t", "[A]\r\nk= v\t\r\n"},
    {"a last line without a line end gets one", "[A]\r\nk=1", "A", "k", "2", "[A]\r\nk=2\r\n"},
    {"a comment is not the key it looks like", "[A]\r\n;k=1\r\nk=2\r\n", "A", "k", nullptr,
     "[A]\r\n;k=1\r\n"},
    {"a section's removal keeps its comments", "[A]\r\n; note\r\nk=1\r\n[B]\r\nj=2\r\n", "A",
     nullptr, nullptr, "; note\r\n[B]\r\nj=2\r\n"},
    {"a name ends at the first bracket", "[a]b]\r\nk=1\r\n", "a", "k", "2", "[a]b]\r\nk=2\r\n"},
    {"a tab is part of a name passed", "[A]\r\nk=1\r\n", "A", "\tk", "2", "[A]\r\nk=1\r\n\tk=2\r\n"},
    {"no section holds the lines before the first", "k=1\r\n[A]\r\n", "", "k", "2",
     "k=1\r\n[A]\r\n[]\r\nk=2\r\n"},
};

// Reads under Windows' rules: [section] key in the file, and the default "d".
TEST(PosixProfileTest, ReadsByWindowsRules) {
    const struct {
        const char* what;
        const char* file;
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"a header without a bracket", "[A\r\nk=1\r\n", "A", "k", "1"},
        {"[] is the section \"\"", "[]\r\nk=1\r\n", "", "k", "1"},
        {"before the first header", "k=1\r\n[A]\r\n", "", "k", "d"},
        {"a comment is no key", "[A]\r\n;k=1\r\n", "A", ";k", "d"},
        {"spaces around a name passed go", "[A]\r\nk=1\r\n", " A ", " k ", "1"},
        {"a tab around a name passed stays", "[A]\r\nk=1\r\n", "\tA", "k", "d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string path = dir.File("case.ini");
        WriteBytes(path, c.file);
        char buf[64];
        platform::ReadProfileString(c.section, c.key, "d", buf, sizeof buf, path.c_str());
        EXPECT_STREQ(buf, c.expected);
    }
}

TEST(PosixProfileTest, LinesAWriteDoesNotConcernStayAsTheyWere) {
    for (const KeepCase& c : kKeepCases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string path = dir.File("case.ini");
        WriteBytes(path, c.before);
        EXPECT_NE(WriteProfileString(c.section, c.key, c.value, path.c_str()), 0);
        EXPECT_EQ(ReadBytes(path), c.after);
    }
}

TEST(PosixProfileTest, ReplacingTheFileLeavesNoTemporaryFileAndKeepsItsMode) {
    test::TempDir dir;
    const std::string path = dir.File("z.ini");
    ASSERT_NE(WriteProfileString("A", "k", "1", path.c_str()), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    for (const char* value : {"2", "3", static_cast<const char*>(nullptr)}) {
        ASSERT_NE(WriteProfileString("A", "k", value, path.c_str()), 0);
    }
    EXPECT_EQ(dir.Listing(), "z.ini");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace zms
