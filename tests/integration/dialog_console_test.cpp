// The console view of the search dialog as the native plug-in runs it: actions
// come from standard input (a person, or the reference host's piped script),
// the dialog is shown on standard error in UTF-8.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "dialog/search_dialog.h"
#include "plugin_state_fixture.h"
#include "temp_dir.h"

namespace zms {
namespace {

class ConsoleDialog : public testing::PluginStateTest {
protected:

    // Runs the dialog with `input` as standard input; returns its result and
    // keeps what it wrote to standard error.
    int RunWith(const std::string& input) {
        const std::string path = dir.File("input.txt");
        test::WriteBytes(path, input);
        EXPECT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
        ::testing::internal::CaptureStderr();
        const dialog::Answer answer = dialog::RunSearchDialog(0, OpeningView(state));
        shown = ::testing::internal::GetCapturedStderr();
        Keep(state, answer);
        return answer.result;
    }

    test::TempDir dir;
    std::string shown;
};

TEST_F(ConsoleDialog, ShowsTheDialogInUtf8) {
    state.history.Record("\x8c\x9f\x8d\xf5");  // 検索
    state.history.Record("from:a");
    Shown(Scope::kFolderAndSubfolders, true, "");
    EXPECT_EQ(RunWith("close\n"), 16);
    EXPECT_NE(shown.find("検索\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("    0: from:a\n    1: 検索\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("(*) 現在のフォルダ+サブフォルダ(&2)"), std::string::npos) << shown;
    EXPECT_NE(shown.find("[x] 未送信、草稿、ゴミ箱も検索する(&A) (disabled)"), std::string::npos) << shown;
}

TEST_F(ConsoleDialog, TypedUtf8IsStoredAsCodePage932) {
    EXPECT_EQ(RunWith("scope 4\ncheck\ntype subject:検索\r\nok\n"), 1);
    EXPECT_EQ(state.history.Entries().at(0), "subject:\x8c\x9f\x8d\xf5");
    EXPECT_EQ(Read("History", "history0"), "subject:\x8c\x9f\x8d\xf5");
    EXPECT_EQ(Read("Config", "radio"), "4");
    EXPECT_EQ(Read("Config", "check"), "TRUE");
    EXPECT_NE(shown.find("(*) すべてのアカウント(&4)"), std::string::npos) << shown;
}

TEST_F(ConsoleDialog, BytesThatAreNotUtf8StayAsTheyAre) {
    EXPECT_EQ(RunWith("type \x8c\x9f\x8d\xf5\nok\n"), 1);
    EXPECT_EQ(state.history.Entries().at(0), "\x8c\x9f\x8d\xf5");
}

TEST_F(ConsoleDialog, EndsAsTheInputSays) {
    struct {
        const char* input;
        int result;
        const char* radio;
    } cases[] = {
        {"esc\n", 2, "<missing>"},
        {"scope 3\nesc\nok\n", 2, "<missing>"},  // nothing after the end is read
        {"close\n", 16, "<missing>"},
        {"scope 3\n", 16, "<missing>"},  // the end of input is the close box
        {"", 16, "<missing>"},
        {"ok", 2, "1"},                    // a last line without its LF
        {"nonsense\nok\n", 2, "1"},        // an unknown line is reported, not fatal
    };
    for (const auto& c : cases) {
        profile.store().WriteString("Config", nullptr, nullptr);
        EXPECT_EQ(RunWith(c.input), c.result) << c.input;
        EXPECT_EQ(Read("Config", "radio"), c.radio) << c.input;
    }
    EXPECT_NE(shown.find("? nonsense\n"), std::string::npos) << shown;
}

}  // namespace
}  // namespace zms
