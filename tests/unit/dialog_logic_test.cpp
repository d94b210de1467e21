// What the search dialog does to the state: opening, OK, the check box, the
// input method option, centring.
#include <gtest/gtest.h>

#include <cstdlib>

#include "dialog/search_dialog_logic.h"
#include "plugin_state_fixture.h"

namespace zms {
namespace {

class DialogLogic : public testing::PluginStateTest {
protected:
};

TEST_F(DialogLogic, CheckBoxIsEnabledForAccountScopesOnly) {
    EXPECT_FALSE(dialog::SpecialFoldersEnabled(Scope::kFolder));
    EXPECT_FALSE(dialog::SpecialFoldersEnabled(Scope::kFolderAndSubfolders));
    EXPECT_TRUE(dialog::SpecialFoldersEnabled(Scope::kAccount));
    EXPECT_TRUE(dialog::SpecialFoldersEnabled(Scope::kAllAccounts));
}

TEST_F(DialogLogic, OpeningShowsHistoryInItsOwnOrderWithBlankRows) {
    state.history.Record("fig");
    state.history.Record("apple");
    state.history.Record("pear");
    state.history.Record("pear");
    Shown(Scope::kFolderAndSubfolders, true, "\"a b\"");
    dialog::View v = OpeningView(state);
    EXPECT_EQ(v.dropDown, (std::vector<std::string>{"pear", "", "apple", "fig"}));
    EXPECT_EQ(v.text, "\"a b\"");
    EXPECT_EQ(v.scope, Scope::kFolderAndSubfolders);
    EXPECT_TRUE(v.specialFolders);
    EXPECT_FALSE(v.specialFoldersEnabled) << "a disabled check box keeps and shows its state";
}

TEST_F(DialogLogic, OpeningWithTheStartUpDefaults) {
    dialog::View v = OpeningView(state);
    EXPECT_TRUE(v.dropDown.empty());
    EXPECT_EQ(v.text, "");
    EXPECT_EQ(v.scope, Scope::kFolder);
    EXPECT_FALSE(v.specialFolders);
    EXPECT_FALSE(v.specialFoldersEnabled);
}

TEST_F(DialogLogic, OkWithAnEmptyLineSavesScopeAndCheckBoxOnly) {
    EXPECT_EQ(Ok(Scope::kAccount, true, ""), dialog::kResultCancel);
    EXPECT_EQ(Read("Config", "radio"), "3");
    EXPECT_EQ(Read("Config", "check"), "TRUE");
    EXPECT_EQ(Read("History", "history0"), "<missing>");
    EXPECT_EQ(HistorySize(), 0u);
    EXPECT_EQ(state.scope, Scope::kAccount);
}

TEST_F(DialogLogic, OkWithAQueryRecordsItFirst) {
    EXPECT_EQ(Ok(Scope::kAllAccounts, false, "subject:x"), dialog::kResultQuery);
    EXPECT_EQ(Read("Config", "radio"), "4");
    EXPECT_EQ(Read("Config", "check"), "FALSE");
    EXPECT_EQ(Read("History", "history0"), "subject:x");
    EXPECT_EQ(state.history.Entries().at(0), "subject:x");
}

TEST_F(DialogLogic, ADisabledCheckedBoxIsStillSaved) {
    EXPECT_EQ(Ok(Scope::kFolder, true, "q"), dialog::kResultQuery);
    EXPECT_EQ(Read("Config", "check"), "TRUE");
    EXPECT_TRUE(state.specialFolders);
}

TEST_F(DialogLogic, NoCheckedScopeKeepsTheScope) {
    for (long notAScope : {0, 1000, 1005, -1}) {
        state.scope = Scope::kFolderAndSubfolders;
        Ok(ScopeNumbered(notAScope), false, "q");
        EXPECT_EQ(state.scope, Scope::kFolderAndSubfolders) << notAScope;
        EXPECT_EQ(Read("Config", "radio"), "2") << notAScope;
    }
}

TEST_F(DialogLogic, ConfirmingTheSameQueryAgainLeavesABlankRow) {
    Ok(Scope::kFolder, false, "q");
    Ok(Scope::kFolder, false, "q");
    EXPECT_EQ(OpeningView(state).dropDown, (std::vector<std::string>{"q", ""}));
    EXPECT_EQ(Read("History", "history0"), "q");
    EXPECT_EQ(Read("History", "history1"), "<missing>") << "the blank is never saved";
}

TEST_F(DialogLogic, InputMethodIsClosedOnlyForExactlyOne) {
    struct {
        const char* value;
        bool close;
    } cases[] = {{"1", true}, {"01", false}, {"true", false}, {"", false}, {"1 ", false}};
    for (const auto& c : cases) {
        profile.store().WriteString("IME", "control", c.value);
        EXPECT_EQ(OpeningView(state).closeInputMethod, c.close) << "[" << c.value << "]";
    }
    profile.store().WriteString("IME", "control", nullptr);
    EXPECT_FALSE(OpeningView(state).closeInputMethod);
}

TEST(Centring, KeepsTheDialogOnTheDesktop) {
    struct {
        dialog::Rect desktop, box;
        dialog::Point at;
    } cases[] = {
        {{0, 0, 1000, 800}, {0, 0, 200, 100}, {400, 350}},
        {{0, 0, 1000, 1000}, {50, 50, 1250, 1250}, {0, 0}},      // larger: the left rule
        {{0, 0, 1000, 1000}, {0, 0, 1001, 1001}, {-1, -1}},      // centred at 0: the right rule
        {{-1921, 0, 0, 1080}, {0, 0, 301, 101}, {-1110, 490}},  // halves truncate toward zero
        {{100, 100, 300, 300}, {0, 0, 50, 50}, {175, 175}},
        {{0, 0, 1000, 1000}, {0, 0, 300, 1200}, {350, 0}},       // too high only
        {{0, 0, 1000, 1000}, {0, 0, 300, 1001}, {350, -1}},
        {{0, 0, 1001, 1001}, {0, 0, 3, 3}, {499, 499}},          // 500 - 1: both halves truncate
    };
    for (const auto& c : cases) {
        dialog::Point p = dialog::CentredPosition(c.desktop, c.box);
        EXPECT_EQ(p.x, c.at.x) << c.desktop.right << " " << c.box.right - c.box.left;
        EXPECT_EQ(p.y, c.at.y) << c.desktop.bottom << " " << c.box.bottom - c.box.top;
    }
}

}  // namespace
}  // namespace zms
