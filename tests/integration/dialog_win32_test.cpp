// The Win32 search dialog in a real window over the real template 101, run on
// the test's thread as `search` runs it, and driven from a second thread
// through its controls as a person would: keys, clicks, the drop-down, the
// close box. Needs a display (Xvfb under wine).
#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialog/search_dialog_template.h"
#include "dialog/search_dialog.h"
#include "dialog/search_dialog_logic.h"
#include "platform/library.h"
#include "plugin/search_hint.h"
#include "plugin_state_fixture.h"
#include "tools/dialog_driver/dialog_driver.h"

namespace zms {
namespace {

namespace drive = dialog_driver;
constexpr unsigned kTimeoutMs = 15000;

class Win32Dialog : public testing::PluginStateTest {
protected:
    void SetUp() override {
        PluginStateTest::SetUp();
        // The template is linked into this program, as into the plug-in.
        platform::SetPluginModule(GetModuleHandleA(nullptr));
    }
    void TearDown() override {
        PluginStateTest::TearDown();
        if (owner_) DestroyWindow(owner_);
    }

    // Runs the dialog on this thread, as `search` does, while `act` works on
    // it from another; then waits for the driver. The dialog is closed with
    // the close box if `act` leaves it open.
    int RunDriven(const std::function<void(HWND)>& act, HWND owner = nullptr, const dialog::HintFn& hint = {}) {
        const DWORD thread = GetCurrentThreadId();
        bool opened = false, ended = false;
        std::thread driver([&] {
            const HWND dialog = drive::WaitForSearchDialog(thread, kTimeoutMs);
            if (!dialog) return;
            opened = true;
            act(dialog);
            ended = drive::WaitUntilClosed(dialog, kTimeoutMs);
            if (!ended) {
                drive::PressCloseBox(dialog);
                drive::WaitUntilClosed(dialog, kTimeoutMs);
            }
        });
        const dialog::Answer answer = dialog::RunSearchDialog(reinterpret_cast<std::intptr_t>(owner), OpeningView(state), hint);
        driver.join();
        Keep(state, answer);
        EXPECT_TRUE(opened) << "the dialog did not open";
        EXPECT_TRUE(ended) << "the dialog stayed open after the actions";
        return answer.result;
    }

    HWND Owner() {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        return owner_;
    }


    HWND owner_ = nullptr;
};

TEST_F(Win32Dialog, OpensWithTheStateAndTheTemplatesTexts) {
    state.history.Record("fig");
    state.history.Record("apple");
    state.history.Record("pear");
    state.history.Record("pear");  // a blank row below it
    Shown(Scope::kFolderAndSubfolders, true, "\"a \x8c\x9f\x8d\xf5\"");
    drive::SearchDialogView view;
    LRESULT selection = 0;
    EXPECT_EQ(RunDriven([&](HWND dialog) {
                  view = drive::Look(dialog);
                  selection =
                      SendMessageA(GetDlgItem(dialog, ZMS_ID_QUERY_LINE), CB_GETCURSEL, 0, 0);
                  drive::PressCloseBox(dialog);
              }),
              dialog::kResultClosed);
    EXPECT_EQ(view.caption, ZMS_TEXT_CAPTION);
    EXPECT_EQ(view.rows, (std::vector<std::string>{"pear", "", "apple", "fig"})) << "history order, not sorted";
    EXPECT_EQ(selection, CB_ERR) << "no row is selected";
    EXPECT_EQ(view.query, "\"a \x8c\x9f\x8d\xf5\"");
    EXPECT_EQ(view.checkedScope, Scope::kFolderAndSubfolders);
    EXPECT_TRUE(view.specialFolders);
    EXPECT_FALSE(view.specialFoldersEnabled);
    const std::vector<std::string> texts = {dialog::kScopeCaptions[0], dialog::kScopeCaptions[1],
                                            dialog::kScopeCaptions[2], dialog::kScopeCaptions[3],
                                            ZMS_TEXT_SPECIAL_FOLDERS, ZMS_TEXT_SCOPE_FRAME};
    EXPECT_EQ(view.controlTexts, texts);
    EXPECT_EQ(Read("Config", "radio"), "<missing>") << "closing saves nothing";
}

TEST_F(Win32Dialog, ScopeButtonsSwitchTheCheckBoxAndEscKeepsNothing) {
    Shown(Scope::kFolderAndSubfolders, false, "");
    std::vector<drive::SearchDialogView> seen;
    EXPECT_EQ(RunDriven([&](HWND dialog) {
                  for (Scope scope : {Scope::kAccount, Scope::kFolder, Scope::kAllAccounts}) {
                      drive::Click(dialog, scope);
                      seen.push_back(drive::Look(dialog));
                  }
                  drive::Click(dialog, ZMS_ID_SPECIAL_FOLDERS);
                  seen.push_back(drive::Look(dialog));
                  drive::PressEscape(dialog);
              }),
              dialog::kResultCancel);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].checkedScope, Scope::kAccount);
    EXPECT_TRUE(seen[0].specialFoldersEnabled);
    EXPECT_EQ(seen[1].checkedScope, Scope::kFolder);
    EXPECT_FALSE(seen[1].specialFoldersEnabled);
    EXPECT_EQ(seen[2].checkedScope, Scope::kAllAccounts);
    EXPECT_TRUE(seen[2].specialFoldersEnabled);
    EXPECT_TRUE(seen[3].specialFolders);
    EXPECT_EQ(state.scope, Scope::kFolderAndSubfolders);
    EXPECT_FALSE(state.specialFolders);
    EXPECT_EQ(Read("Config", "radio"), "<missing>");
    EXPECT_EQ(Read("Config", "check"), "<missing>");
}

TEST_F(Win32Dialog, OkWithATypedQueryRecordsItAndSavesTheChoices) {
    state.history.Record("old");
    const std::string typed = "subject:\x8c\x9f\x8d\xf5 from:a";  // 検索, typed as DBCS pairs
    drive::SearchDialogView before;
    EXPECT_EQ(RunDriven([&](HWND dialog) {
                  drive::Click(dialog, Scope::kAllAccounts);
                  drive::Click(dialog, ZMS_ID_SPECIAL_FOLDERS);
                  drive::Type(dialog, typed);
                  before = drive::Look(dialog);
                  drive::Click(dialog, ZMS_ID_OK);
              }),
              dialog::kResultQuery);
    EXPECT_EQ(before.query, typed);
    EXPECT_EQ(state.history.Entries().at(0), typed);
    EXPECT_EQ(state.history.Entries().at(1), "old");
    EXPECT_EQ(Read("History", "history0"), typed);
    EXPECT_EQ(Read("Config", "radio"), "4");
    EXPECT_EQ(Read("Config", "check"), "TRUE");
    EXPECT_EQ(state.scope, Scope::kAllAccounts);
    EXPECT_TRUE(state.specialFolders);
}

TEST_F(Win32Dialog, OkWithAnEmptyLineSavesScopeAndCheckBoxOnly) {
    Shown(Scope::kFolder, false, "initial");
    EXPECT_EQ(RunDriven([&](HWND dialog) {
                  drive::Click(dialog, Scope::kAccount);
                  drive::Type(dialog, "");
                  drive::Click(dialog, ZMS_ID_OK);
              }),
              dialog::kResultCancel);
    EXPECT_EQ(Read("Config", "radio"), "3");
    EXPECT_EQ(Read("Config", "check"), "FALSE");
    EXPECT_EQ(Read("History", "history0"), "<missing>");
    EXPECT_EQ(HistorySize(), 0u);
}

TEST_F(Win32Dialog, APickedRowIsTheQuery) {
    state.history.Record("fig");
    state.history.Record("apple");
    state.history.Record("pear");
    std::string shown;
    EXPECT_EQ(RunDriven([&](HWND dialog) {
                  ASSERT_TRUE(drive::Pick(dialog, 1));
                  shown = drive::Look(dialog).query;
                  drive::Click(dialog, ZMS_ID_OK);
              }),
              dialog::kResultQuery);
    EXPECT_EQ(shown, "apple");
    EXPECT_EQ(state.history.Entries().at(0), "apple");
    EXPECT_EQ(Read("History", "history0"), "apple");
    EXPECT_EQ(Read("History", "history1"), "pear");
    EXPECT_EQ(Read("History", "history2"), "fig");
}

TEST_F(Win32Dialog, ADisabledCheckedBoxIsSavedOnOk) {
    Shown(Scope::kFolder, true, "q");
    EXPECT_EQ(RunDriven([&](HWND dialog) { drive::Click(dialog, ZMS_ID_OK); }),
              dialog::kResultQuery);
    EXPECT_EQ(Read("Config", "radio"), "1");
    EXPECT_EQ(Read("Config", "check"), "TRUE");
}

TEST_F(Win32Dialog, IsCentredOnTheDesktopNotOnItsOwner) {
    const HWND owner = Owner();
    ASSERT_NE(owner, nullptr);
    drive::SearchDialogView view;
    bool ownerDisabled = false;
    EXPECT_EQ(RunDriven(
                  [&](HWND dialog) {
                      view = drive::Look(dialog);
                      ownerDisabled = !IsWindowEnabled(owner);
                      EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
                      drive::PressCloseBox(dialog);
                  },
                  owner),
              dialog::kResultClosed);
    EXPECT_TRUE(ownerDisabled) << "modal to its owner";
    const RECT& d = view.desktop;
    const RECT& w = view.window;
    ASSERT_GT(d.right - d.left, 400);
    const dialog::Point at =
        dialog::CentredPosition({d.left, d.top, d.right, d.bottom}, {0, 0, w.right - w.left, w.bottom - w.top});
    EXPECT_EQ(w.left, at.x);
    EXPECT_EQ(w.top, at.y);
    EXPECT_GT(w.left, 200) << "not over the owner at the top left";
}

// The input method's own keys lie in the system's registry, which a program
// of the self-test does not see (tools/registry_writer/win32/scratch_registry.cpp):
// without them there is no input context to open.
TEST_F(Win32Dialog, OptionClosesAnOpenInputMethodOnlyForExactlyOne) {
    if (GetEnvironmentVariableA("ZMS_SCRATCH_REGISTRY", nullptr, 0) != 0)
        GTEST_SKIP() << "the input method's keys are not in the self-test's own registry";
    struct {
        const char* value;
        bool openAfter;
    } cases[] = {{"1", false}, {"01", true}, {"true", true}, {"", true}};
    for (const auto& c : cases) {
        profile.store().WriteString("IME", "control", c.value);
        const HWND owner = Owner();
        // Windows of one thread share its default input context.
        HIMC context = ImmGetContext(owner);
        ASSERT_NE(context, nullptr);
        ImmSetOpenStatus(context, TRUE);
        ImmReleaseContext(owner, context);
        EXPECT_EQ(RunDriven([&](HWND dialog) { drive::PressCloseBox(dialog); }, owner), dialog::kResultClosed);
        context = ImmGetContext(owner);
        EXPECT_EQ(ImmGetOpenStatus(context) != FALSE, c.openAfter) << "[" << c.value << "]";
        ImmReleaseContext(owner, context);
        DestroyWindow(owner);
        owner_ = nullptr;
    }
}

// The hint line under the scope frame follows the query line as it is typed
// or picked, at once (the notification is handled before the typing returns).
TEST_F(Win32Dialog, TheHintLineFollowsTheQueryLine) {
    state.history.Record("subject:a from:b");
    std::vector<std::string> seen;
    RECT hintBox{}, frame{};
    RunDriven(
        [&](HWND dialog) {
            const auto hint = [&] {
                char text[2048] = "";
                GetDlgItemTextA(dialog, ZMS_ID_HINT, text, sizeof text);
                return std::string(text);
            };
            GetWindowRect(GetDlgItem(dialog, ZMS_ID_HINT), &hintBox);
            GetWindowRect(GetDlgItem(dialog, -1), &frame);
            seen.push_back(hint());
            for (const char* line : {"subject:\"\x83\x5c\"", "fav:work subject:x",
                                     "\x82\x93\x82\x95\x82\x82\x82\x8a\x82\x85\x82\x83\x82\x94\x81"
                                     "F\x89\xef\x8b" "c"}) {
                drive::Type(dialog, line);
                seen.push_back(hint());
            }
            drive::Pick(dialog, 0);
            seen.push_back(hint());
            drive::PressEscape(dialog);
        },
        nullptr, DialogHint(state.profile));
    EXPECT_GE(hintBox.top, frame.bottom) << "under the scope frame";
    EXPECT_GT(hintBox.right - hintBox.left, 0);
    const std::vector<std::vector<const char*>> holds = {
        {"help:"},
        {"\x81u\x83\x5c\x81v"},                   // 「ソ」
        {"work", "subject:x", "\x93o\x98^"},      // 登録
        {"subject:"},                              // the prefix meant
        {"\x8c\x8f\x96\xbc", "\x8d\xb7\x8fo\x90l"},  // 件名, 差出人
    };
    ASSERT_EQ(seen.size(), holds.size());
    for (std::size_t i = 0; i < holds.size(); ++i)
        for (const char* part : holds[i]) EXPECT_NE(seen[i].find(part), std::string::npos) << i << ": " << part;
}

TEST_F(Win32Dialog, ScriptsRunThroughTheDriver) {
    struct {
        const char* script;
        int result;
        bool ok;
        const char* radio;
    } cases[] = {
        {"scope 3\ncheck\ntype q\nok\n", 1, true, "3"},
        {"ok\n", 1, true, "2"},
        {"scope 1004\r\nesc\r\n", 2, true, "<missing>"},
        {"type q\n", 16, true, "<missing>"},       // no end: the close box
        {"close\n", 16, true, "<missing>"},
        {"bogus\nok\n", 16, false, "<missing>"},  // not understood: closed, nothing done
    };
    for (const auto& c : cases) {
        profile.store().WriteString("Config", nullptr, nullptr);
        Shown(Scope::kFolderAndSubfolders, true, "init");
        const DWORD thread = GetCurrentThreadId();
        bool ok = false;
        drive::SearchDialogView opening;
        std::thread driver([&] { ok = drive::RunScript(thread, c.script, kTimeoutMs, &opening); });
        const dialog::Answer answer = dialog::RunSearchDialog(0, OpeningView(state));
        driver.join();
        Keep(state, answer);
        EXPECT_EQ(answer.result, c.result) << c.script;
        EXPECT_EQ(ok, c.ok) << c.script;
        EXPECT_EQ(opening.query, "init") << "seen before the script ran: " << c.script;
        EXPECT_EQ(opening.checkedScope, Scope::kFolderAndSubfolders) << c.script;
        EXPECT_EQ(Read("Config", "radio"), c.radio) << c.script;
    }
}

}  // namespace
}  // namespace zms
