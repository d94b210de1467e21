// The dialog as a view without windows keeps it (dialog::View, Act,
// Describe), the captions' exact bytes, and the console's conversions between
// a UTF-8 terminal and code page 932, which must agree natively and on Windows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dialog/search_dialog_template.h"
#include "dialog/search_dialog_script.h"
#include "plugin_state_fixture.h"

namespace zms {
namespace {

TEST(DialogTemplate, CaptionsAreInCodePage932) {
    EXPECT_STREQ(ZMS_TEXT_CAPTION, "\x8c\x9f\x8d\xf5");
    EXPECT_STREQ(ZMS_TEXT_SCOPE_FRAME, "\x8c\x9f\x8d\xf5\x94\xcd\x88\xcd");
    EXPECT_STREQ(dialog::kScopeCaptions[0], "\x8c\xbb\x8d\xdd\x82\xcc\x83t\x83H\x83\x8b\x83_(&1)");
    EXPECT_STREQ(dialog::kScopeCaptions[1],
                 "\x8c\xbb\x8d\xdd\x82\xcc\x83t\x83H\x83\x8b\x83_+\x83T\x83u\x83t\x83H\x83\x8b\x83_(&2)");
    EXPECT_STREQ(dialog::kScopeCaptions[2],
                 "\x8c\xbb\x8d\xdd\x82\xcc\x83" "A\x83J\x83" "E\x83\x93\x83g(&3)");
    EXPECT_STREQ(dialog::kScopeCaptions[3],
                 "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83" "A\x83J\x83" "E\x83\x93\x83g(&4)");
    EXPECT_STREQ(ZMS_TEXT_SPECIAL_FOLDERS,
                 "\x96\xa2\x91\x97\x90M\x81" "A\x91\x90\x8d" "e\x81" "A\x83S\x83~\x94\xa0\x82\xe0\x8c\x9f\x8d\xf5"
                 "\x82\xb7\x82\xe9(&A)");
}

class DialogSession : public testing::PluginStateTest {
protected:
};

constexpr Scope kFolder = Scope::kFolder, kSubfolders = Scope::kFolderAndSubfolders,
                kAccount = Scope::kAccount, kAllAccounts = Scope::kAllAccounts;

// A run of actions from the opening state to the end of the dialog, and what
// it leaves behind.
struct Start {
    Scope scope;
    bool check;
    const char* text;
};
struct ActionRun {
    const char* name;
    Start start;
    std::vector<std::string> actions;  // the last one ends the dialog
    int result;
    Scope scope;         // the state afterwards
    bool check;
    const char* radio;   // "Config" in the profile afterwards
    const char* checkKey;
    const char* history0;
};

TEST_F(DialogSession, RunsEndAsTheirLastActionSays) {
    const ActionRun runs[] = {
        // Clicks during a cancelled run are not kept.
        {"esc after scope and check", {kSubfolders, false, ""}, {"scope 3", "check", "esc"}, 2,
         kSubfolders, false, "<missing>", "<missing>", "<missing>"},
        {"close box", {kAccount, true, "q"}, {"scope 1", "type x", "close"}, 16, kAccount, true,
         "<missing>", "<missing>", "<missing>"},
        {"ok with a query", {kFolder, false, ""}, {"scope 4", "check", "type subject:x", "ok"}, 1,
         kAllAccounts, true, "4", "TRUE", "subject:x"},
        {"ok with the initial text", {kAccount, false, "\"a b\""}, {"ok"}, 1, kAccount, false, "3",
         "FALSE", "\"a b\""},
        {"ok with an empty line saves scope and check box", {kFolder, false, ""},
         {"scope 1003", "check", "ok"}, 2, kAccount, true, "3", "TRUE", "<missing>"},
        {"type without text empties the line", {kSubfolders, false, "init"}, {"type", "ok"}, 2,
         kSubfolders, false, "2", "FALSE", "<missing>"},
        {"type keeps spaces", {kFolder, false, ""}, {"type  a  b ", "ok"}, 1, kFolder, false, "1",
         "FALSE", " a  b "},
        {"a disabled check box ignores clicks and is saved", {kFolder, true, ""},
         {"check", "type q", "ok"}, 1, kFolder, true, "1", "TRUE", "q"},
        {"scope 2 disables the check box again", {kAllAccounts, false, ""},
         {"scope 2", "check", "type q", "ok"}, 1, kSubfolders, false, "2", "FALSE", "q"},
        {"a line from a CR LF script", {kFolder, false, ""}, {"type q\r", "ok\r"}, 1, kFolder,
         false, "1", "FALSE", "q"},
    };
    for (const ActionRun& run : runs) {
        state.history = {};
        profile.store().WriteString("Config", nullptr, nullptr);
        profile.store().WriteString("History", nullptr, nullptr);
        Shown(run.start.scope, run.start.check, run.start.text);
        dialog::View session = OpeningView(state);
        dialog::Answer answer;
        for (std::size_t i = 0; i < run.actions.size(); ++i) {
            const dialog::Acted acted = dialog::Act(session, run.actions[i]);
            answer = acted.answer;
            if (i + 1 < run.actions.size()) {
                ASSERT_EQ(acted.status, dialog::Acted::kDone) << run.name << ": " << i;
            }
        }
        Keep(state, answer);
        EXPECT_EQ(answer.result, run.result) << run.name;
        EXPECT_EQ(state.scope, run.scope) << run.name;
        EXPECT_EQ(state.specialFolders, run.check) << run.name;
        EXPECT_EQ(Read("Config", "radio"), run.radio) << run.name;
        EXPECT_EQ(Read("Config", "check"), run.checkKey) << run.name;
        EXPECT_EQ(Read("History", "history0"), run.history0) << run.name;
    }
}

TEST_F(DialogSession, PicksRowsOfTheDropDownIncludingBlankOnes) {
    state.history.Record("fig");
    state.history.Record("apple");
    state.history.Record("apple");  // leaves a blank row at 1
    dialog::View s = OpeningView(state);
    ASSERT_EQ(s.dropDown, (std::vector<std::string>{"apple", "", "fig"}));
    EXPECT_EQ(dialog::Act(s, "pick 2").status, dialog::Acted::kDone);
    EXPECT_EQ(s.text, "fig");
    EXPECT_EQ(dialog::Act(s, "pick 1").status, dialog::Acted::kDone);
    EXPECT_EQ(s.text, "");
    EXPECT_EQ(dialog::Act(s, "ok").answer.result, dialog::kResultCancel) << "a blank row is an empty line";
}

TEST_F(DialogSession, LinesThatAreNoActionChangeNothing) {
    state.history.Record("only");
    Shown(kAccount, true, "t");
    const char* lines[] = {"",        "bogus",    "oks",      "ok now",    "check 1", "pick",
                           "pick 1",  "pick -1",  "pick 0x0", "pick 1 ",   "scope",   "scope 0",
                           "scope 5", "scope 1000", "scope 1005", "scope 3a", "Scope 1", "ESC"};
    for (const char* line : lines) {
        dialog::View s = OpeningView(state);
        EXPECT_EQ(dialog::Act(s, line).status, dialog::Acted::kUnknown) << "[" << line << "]";
        EXPECT_EQ(s.text, "t") << line;
        EXPECT_EQ(s.scope, kAccount) << line;
        EXPECT_TRUE(s.specialFolders) << line;
        EXPECT_TRUE(s.specialFoldersEnabled) << line;
    }
    EXPECT_EQ(Read("Config", "radio"), "<missing>");
}

TEST_F(DialogSession, DescribesWhatIsShown) {
    state.history.Record("b");
    state.history.Record("a");
    Shown(kSubfolders, true, "q\x81\x40");
    const std::string shown = dialog::Describe(OpeningView(state));
    const std::string expected = std::string(ZMS_TEXT_CAPTION) + "\n" +
                                 "  [q\x81\x40]\n"
                                 "    0: a\n"
                                 "    1: b\n"
                                 "  ( ) " + dialog::kScopeCaptions[0] + "\n" +
                                 "  (*) " + dialog::kScopeCaptions[1] + "\n" +
                                 "  ( ) " + dialog::kScopeCaptions[2] + "\n" +
                                 "  ( ) " + dialog::kScopeCaptions[3] + "\n" +
                                 "  [x] " + ZMS_TEXT_SPECIAL_FOLDERS + " (disabled)\n";
    EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace zms
