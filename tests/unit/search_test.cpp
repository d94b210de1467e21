// A whole call of `search` against a host inside the test process: the host
// calls in order, the find pack, the branches, what is stored.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fake_host.h"
#include "plugin/search.h"
#include "plugin/search_hint.h"
#include "query/explain.h"
#include "plugin_state_fixture.h"
#include "test_env.h"

namespace zms {
namespace {

using Journal = std::vector<std::string>;

const char kFolders[] = "\x8e\xf3\x90\x4d+\x91\x97\x90\x4d\x8d\xcf\x82\xdd+\x83\x86\x81\x5b\x83\x55\x81\x5b";

class SearchCall : public testing::PluginStateTest {
protected:
    void TearDown() override {
        test::SetEnvironment("ZMS_DIALOG_SCRIPT", nullptr);
        PluginStateTest::TearDown();
    }
    // Runs `search` with the dialog answered by `script`; the host calls made
    // after the dialog closed.
    Journal Run(const char* text, const std::string& script) {
        test::SetEnvironment("ZMS_DIALOG_SCRIPT", script.c_str());
        host.journal.clear();
        EXPECT_EQ(Search(state, text), 0);
        Journal after;
        bool past = false;
        for (const std::string& line : host.journal) {
            if (past) after.push_back(line);
            if (line == "MainWnd") past = true;
        }
        return after;
    }
    test::FakeHost host{state.host};
};

struct ScopeCase {
    Scope scope;
    bool check;
    Journal calls;
};

TEST_F(SearchCall, EachScopeGetsItsAccountAndFolder) {
    const std::string pack = "(\"<abc>\",target=smallheaderbody),subfolder=";
    const ScopeCase cases[] = {
        {Scope::kFolder, false,
         {"ExecAtMain(CurrentAccount)", "IsZentoroMailMain", "CurrentFolder", "IsZentoroMailMain",
          "SetFindPack(\"" + pack + "0,hilight=1\")", "StartDoGrep(\"acct\", \"folder\")",
          "PushFindPack"}},
        {Scope::kFolderAndSubfolders, true,
         {"ExecAtMain(CurrentAccount)", "IsZentoroMailMain", "CurrentFolder", "IsZentoroMailMain",
          "SetFindPack(\"" + pack + "1,hilight=1\")", "StartDoGrep(\"acct\", \"folder\")",
          "PushFindPack"}},
        {Scope::kAccount, false,
         {"ExecAtMain(CurrentAccount)", "IsZentoroMailMain",
          "SetFindPack(\"" + pack + "0,hilight=1\")",
          std::string("StartDoGrep(\"acct\", \"") + kFolders + "\")", "PushFindPack"}},
        {Scope::kAccount, true,
         {"ExecAtMain(CurrentAccount)", "IsZentoroMailMain",
          "SetFindPack(\"" + pack + "0,hilight=1\")", "StartDoGrep(\"acct\", \"\")",
          "PushFindPack"}},
        {Scope::kAllAccounts, false,
         {"IsZentoroMailMain", "SetFindPack(\"" + pack + "0,hilight=1\")",
          std::string("StartDoGrep(\"\", \"") + kFolders + "\")", "PushFindPack"}},
        {Scope::kAllAccounts, true,
         {"IsZentoroMailMain", "SetFindPack(\"" + pack + "0,hilight=1\")",
          "StartDoGrep(\"\", \"\")", "PushFindPack"}},
    };
    for (const ScopeCase& c : cases) {
        // The dialog's click decides.
        state.scope = c.scope == Scope::kAccount ? Scope::kFolder : Scope::kAccount;
        state.specialFolders = false;
        const std::string scope = "scope " + std::to_string(ScopeNumber(c.scope)) + "\n";
        std::string script = "type abc\n" + scope;
        if (c.check) script += "scope 1003\ncheck\n" + scope;
        EXPECT_EQ(Run("", script + "ok\n"), c.calls) << scope << " " << c.check;
    }
}

TEST_F(SearchCall, OutsideTheMainAndGrepWindowsEverythingGoesThroughExecAtMain) {
    host.answers.isMain = 0;
    state.scope = Scope::kFolder;
    EXPECT_EQ(Run("", "type x\nok"),
              (Journal{"ExecAtMain(CurrentAccount)", "IsZentoroMailMain", "IsZentoroMailGrep",
                       "ExecAtMain(CurrentFolder)", "IsZentoroMailMain", "IsZentoroMailGrep",
                       "ExecAtMain(SetFindPack, \"(\"<x>\",target=smallheaderbody),subfolder=0,hilight=1\")",
                       "ExecAtMain(StartDoGrep, \"acct\", \"folder\")", "ExecAtMain(PushFindPack)"}));
    host.answers.isGrep = 1;
    Journal grep = Run("", "type x\nok");
    EXPECT_EQ(grep.at(3), "CurrentFolder");
    EXPECT_EQ(grep.back(), "PushFindPack");
}

TEST_F(SearchCall, NullTextsFromTheHostGoOnAsTheyCame) {
    host.answers.account = nullptr;
    host.answers.folder = nullptr;
    state.scope = Scope::kFolder;
    Journal calls = Run("", "type x\nok");
    EXPECT_EQ(calls.at(calls.size() - 2), "StartDoGrep(null, null)");
}

TEST_F(SearchCall, CancelAndCloseCallNothingAndSaveNothing) {
    for (const char* end : {"esc", "close", ""}) {
        EXPECT_EQ(Run("", std::string("type q\nscope 1004\n") + end), Journal{}) << end;
        EXPECT_EQ(Read("Config", "radio"), "<missing>");
        EXPECT_EQ(HistorySize(), 0u);
        EXPECT_EQ(state.scope, Scope::kFolder);
    }
}

TEST_F(SearchCall, DebugSendsTheRestVerbatim) {
    state.scope = Scope::kAllAccounts;
    Journal calls = Run("", "type   debug:(x)  \nok");
    EXPECT_EQ(calls.at(1), "SetFindPack(\"(x)\")");
}

TEST_F(SearchCall, InitialEditTextFromTheMacro) {
    Run("abc\r\ndef ghi", "esc");
    EXPECT_EQ(state.initialEditText, "abc") << "no space: as it stands";
    Run("a b", "esc");
    EXPECT_EQ(state.initialEditText, "\"<a b>\"");
    Run("", "esc");
    EXPECT_EQ(state.initialEditText, "\"<a b>\"") << "an empty text keeps the last one";
    Run("x\ny z", "esc");
    EXPECT_EQ(state.initialEditText, "\"<x\ny z>\"") << "only CR LF ends the first line";
}

TEST_F(SearchCall, TheInitialTextIsTheQueryWhenConfirmed) {
    state.scope = Scope::kAllAccounts;
    Journal calls = Run("from:sales", "ok");
    EXPECT_EQ(calls.at(1), "SetFindPack(\"(\"<sales>\",target=from),subfolder=0,hilight=1\")")
        << "the text is in the line as it stands: its prefix is read, its value encoded once";
    calls = Run("C:\\dir\\x", "ok");
    EXPECT_EQ(calls.at(1),
              "SetFindPack(\"(\"<C:\\dir\\x>\",target=smallheaderbody),subfolder=0,hilight=1\")");
    calls = Run("a\\b c", "ok");
    EXPECT_EQ(calls.at(1),
              "SetFindPack(\"(\"<a\\b c>\",regular,target=smallheaderbody),"
              "subfolder=0,hilight=1\")")
        << "with a space: encoded and quoted, one quoted value";
}

TEST_F(SearchCall, FavouritesStoreRecallAndRemove) {
    state.scope = Scope::kAllAccounts;
    EXPECT_EQ(Run("", "type fav:work subject:report\nok"), Journal{});
    EXPECT_EQ(Read("Favorite", "work"), "subject:report");
    EXPECT_EQ(Run("", "type fav:work\nok").at(1),
              "SetFindPack(\"(\"<report>\",target=subject),subfolder=0,hilight=1\")");
    EXPECT_EQ(Run("", "type fav:q \"subject:a b\"\nok"), Journal{});
    EXPECT_EQ(Run("", "type fav:q\nok").at(1),
              "SetFindPack(\"(\"subject:a b\",regular,target=smallheaderbody),subfolder=0,hilight=1\")");
    EXPECT_EQ(Run("", "type fav:work \"\"\nok"), Journal{});
    EXPECT_EQ(Read("Favorite", "work"), "<missing>");
    EXPECT_EQ(Run("", "type fav:nosuch\nok").at(1), "SetFindPack(\",subfolder=0,hilight=1\")");
    EXPECT_EQ(Run("", "type fav: x\nok").at(1),
              "SetFindPack(\"(\"<fav:>\",target=smallheaderbody)and(\"<x>\",target=smallheaderbody),"
              "subfolder=0,hilight=1\")");
}

TEST_F(SearchCall, FavouriteNamesTheFileCannotHoldAreRefused) {
    state.scope = Scope::kAllAccounts;
    Run("", "type fav:a subject:keep\nok");
    for (const char* bad : {"fav:a=b subject:x", "fav:[a] subject:x", "fav:;a subject:x",
                            "fav:\t[a] subject:x", "fav:a\t subject:x"}) {
        EXPECT_EQ(Run("", std::string("type ") + bad + "\nok"), Journal{}) << bad;
    }
    EXPECT_EQ(Run("", "type fav:b subject:x\rsubject:y\nok"), Journal{});
    EXPECT_EQ(Read("Favorite", "a"), "subject:keep");
    EXPECT_EQ(Read("Favorite", "a=b"), "<missing>");
    EXPECT_EQ(Read("Favorite", "b"), "<missing>") << "a definition with a line break is refused";
}

TEST_F(SearchCall, AMissingEntryEndsTheCallBeforeAnyOther) {
    HostLink::VoidFn push = state.host.PushFindPack;
    state.host.PushFindPack = nullptr;
    test::SetEnvironment("ZMS_DIALOG_SCRIPT", "type x\nok");
    host.journal.clear();
    EXPECT_EQ(Search(state, ""), 0);
    state.host.PushFindPack = push;
    EXPECT_EQ(host.journal, Journal{});
    EXPECT_EQ(HistorySize(), 0u) << "the dialog never opened";
}

// The dialog's hint line: the first trap's reason (one row a kind, with the
// argument that names what was meant), what OK does with a command, or what
// will be searched; a pasted megabyte is read as its first 4 KiB.
TEST_F(SearchCall, TheHintLineSaysWhatTheQueryWillDo) {
    using Kind = Hint::Kind;
    QueryContext off, on;
    on.fullwidthOption = [] { return true; };
    const struct {
        const char* line;
        bool fullwidth;
        Hint trap;
    } traps[] = {
        {"to:", false, {Kind::kPrefixWithoutValue, "to:"}},
        {"meeting flag:", false, {Kind::kFlagWithoutValue, ""}},
        {"subject:\"abc", false, {Kind::kUnclosedQuote, ""}},
        {"Subject:x", false, {Kind::kMiscasedPrefix, "subject:"}},
        {"subject:\x89\xef\x8b" "c\x81@x", true, {Kind::kFullwidthEndedValue, ""}},
        {"attach:a attach:*", false, {Kind::kTakenFromLater, ""}},
        {"a\x81@" "b", false, {Kind::kFullwidthInValue, ""}},
        {"subject:\"\x83\x5c\"", false, {Kind::kEscapedQuote, "\x83\x5c"}},  // subject:"ソ"
        {"subject:\"\"", false, {Kind::kEmptyQuotes, ""}},
        {"\x82\x93\x82\x95\x82\x82\x82\x8a\x82\x85\x82\x83\x82\x94\x81" "F\x89\xef\x8b" "c", false,
         {Kind::kFullwidthPrefix, "subject:"}},  // ｓｕｂｊｅｃｔ：会議
        {"\x81g\x89\xef\x8b" "c\x81h", false, {Kind::kTypographicQuote, "\x81g"}},  // “会議”
    };
    for (const auto& t : traps)
        EXPECT_EQ(SearchHint(t.line, t.fullwidth ? on : off, profile.store()), HintText(t.trap, Language::kJapanese)) << t.line;

    profile.store().WriteString("Favorite", "work", "subject:x");
    const struct {
        const char* line;
        std::vector<const char*> holds;
    } lines[] = {
        {"  ", {"help:"}},
        {"fav:new subject:y", {"new", "subject:y", "\x93o\x98^\x82\xb5\x82\xdc\x82\xb7"}},   // 登録します
        {"fav:work \"\"", {"work", "\x8d\xed\x8f\x9c\x82\xb5\x82\xdc\x82\xb7"}},                // 削除します
        {"fav:work", {"work", "subject:x", "\x82\xf0\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7"}},  // を検索します
        {"fav:nosuch", {"nosuch", "\x93o\x98^\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1"}},
        {"fav: x", {"fav: "}},
        {" help: ", {"\x83w\x83\x8b\x83v"}},  // ヘルプ
        {"debug:(x)", {"debug:"}},
        // 件名「会議」 かつ 差出人「山田」
        {"subject:\x89\xef\x8b" "c from:\x8eR\x93" "c",
         {"\x8c\x8f\x96\xbc\x81u\x89\xef\x8b" "c\x81v \x82\xa9\x82\xc2 \x8d\xb7\x8fo\x90l\x81u\x8eR\x93" "c\x81v"}},
        // 添付ファイルあり フラグ「unread」
        {"attach:* flag:unread", {"\x93Y\x95t\x83t\x83@\x83" "C\x83\x8b\x82\xa0\x82\xe8 \x83t\x83\x89\x83O\x81uunread\x81v"}},
    };
    for (const auto& l : lines) {
        const std::string hint = SearchHint(l.line, off, profile.store());
        for (const char* part : l.holds) EXPECT_NE(hint.find(part), std::string::npos) << l.line << ": " << part;
    }
    std::string pasted;
    while (pasted.size() < (1u << 20)) pasted += "subject:\x89\xef\x8b" "c ";
    const std::string hint = SearchHint(pasted + "to:", off, profile.store());
    EXPECT_EQ(hint.rfind("\x92\xb7\x82\xa2\x8c\x9f\x8d\xf5\x8e\xae", 0), 0u) << "says the query is long";
    EXPECT_LT(hint.size(), 4096u) << "and speaks of its first part";
}

}  // namespace
}  // namespace zms
