// The query history: what load reads, what record does to the list, what save
// leaves in the profile file.
#include <gtest/gtest.h>

#include <vector>

#include "plugin/query_history.h"
#include "query_test_support.h"
#include "test_env.h"
#include "temp_dir.h"

namespace zms {
namespace {

class History : public ::testing::Test {
protected:

    void Store(int n, const char* value) {
        profile.store().WriteString("History", ("history" + std::to_string(n)).c_str(), value);
    }
    std::string Stored(int n) {
        return profile.store()
            .ReadText("History", ("history" + std::to_string(n)).c_str(), "<missing>")
            .value_or("<null>");
    }
    // Confirming a query, as the dialog's OK does.
    void Confirm(const std::string& q) {
        history.Record(q);
        history.Save(profile.store());
    }
    void StoreTwenty() {
        for (int n = 0; n < 20; ++n) Store(n, ("e" + std::to_string(n)).c_str());
        history.Load(profile.store());
    }

    testing::ScopedProfile profile;
    QueryHistory history;
};

using L = std::vector<std::string>;

TEST_F(History, LoadSkipsMissingAndEmptyKeys) {
    Store(0, "a");
    Store(2, "");
    Store(3, "b");
    Store(20, "never read");
    history.Load(profile.store());
    EXPECT_EQ(history.Entries(), (L{"a", "b"}));
}

// The keys above the ones written go: e19, pushed out of the first twenty in
// memory, does not come back at the next start.
TEST_F(History, ConfirmingAStoredEntryMovesItUpAndRemovesTheLastKey) {
    StoreTwenty();
    Confirm("e5");
    L expected = {"e5", "e0", "e1", "e2", "e3", "e4", ""};
    for (int i = 6; i < 20; ++i) expected.push_back("e" + std::to_string(i));
    EXPECT_EQ(history.Entries(), expected);
    L file;
    for (int n = 0; n < 20; ++n) file.push_back(Stored(n));
    L expectedFile = {"e5", "e0", "e1", "e2", "e3", "e4"};
    for (int i = 6; i < 19; ++i) expectedFile.push_back("e" + std::to_string(i));
    expectedFile.push_back("<missing>");
    EXPECT_EQ(file, expectedFile);
    history = {};
    history.Load(profile.store());
    expectedFile.pop_back();
    EXPECT_EQ(history.Entries(), expectedFile);
}

// Only the keys history0..history19 change: a comment, other keys of the
// section and other sections stay.
// The same when the section is too long to read in one call.
TEST_F(History, SavingLeavesTheRestOfTheFile) {
    const std::string path = profile.store().Path();
    for (const std::string& other : {std::string("d"), std::string(40000, 'd')}) {
        history = {};
        test::WriteBytes(path, "[History]\r\n; kept\r\nhistory0=a\r\nhistory7=b\r\nhistory20=c\r\n"
                               "other=" + other + "\r\n[Config]\r\nradio=2\r\n");
        history.Load(profile.store());
        Confirm("q");
        EXPECT_EQ((L{Stored(0), Stored(1), Stored(2), Stored(7), Stored(20)}),
                  (L{"q", "a", "b", "<missing>", "c"}));
        EXPECT_EQ(profile.store().ReadText("History", "other"), other);
        EXPECT_EQ(profile.store().ReadText("Config", "radio"), "2");
        EXPECT_NE(test::ReadBytes(path).find("\r\n; kept\r\n"), std::string::npos);
    }
}

TEST_F(History, ANewQueryPushesTheOldestOutOfTheFile) {
    StoreTwenty();
    Confirm("q");
    EXPECT_EQ(Stored(0), "q");
    EXPECT_EQ(Stored(1), "e0");
    EXPECT_EQ(Stored(19), "e18");
    EXPECT_EQ(history.Entries().size(), 21u);
}

TEST_F(History, EqualMeansTheSameBytes) {
    Confirm("ABC");
    Confirm("abc");
    Confirm("abc ");
    EXPECT_EQ(history.Entries(), (L{"abc ", "abc", "ABC"}));
    EXPECT_EQ(Stored(0), "abc ");
    EXPECT_EQ(Stored(2), "ABC");
}

TEST_F(History, TheSameQueryTwiceLeavesABlankThatIsNotSaved) {
    Confirm("q");
    Confirm("q");
    EXPECT_EQ(history.Entries(), (L{"q", ""}));
    EXPECT_EQ(Stored(0), "q");
    EXPECT_EQ(Stored(1), "<missing>");
}

TEST_F(History, DuplicatesInTheFileLoadAsTheyAre) {
    Store(0, "x");
    Store(1, "x");
    history.Load(profile.store());
    EXPECT_EQ(history.Entries(), (L{"x", "x"}));
    Confirm("y");
    EXPECT_EQ(history.Entries(), (L{"y", "x", ""}));
    EXPECT_EQ(Stored(0), "y");
    EXPECT_EQ(Stored(1), "x");
    EXPECT_EQ(Stored(2), "<missing>");
}

TEST_F(History, QuotedQueriesComeBackWithTheirQuotes) {
    Confirm("\"a b\"");
    history = {};
    history.Load(profile.store());
    EXPECT_EQ(history.Entries(), (L{"\"a b\""}));
}

// Neither a line break nor a line of 32 KiB fits in the file.
TEST_F(History, AQueryThatCannotBeOneLineIsKeptInMemoryOnly) {
    for (const std::string& query : {std::string("a\nb"), std::string(kMaxLineBytes, 'x')}) {
        history = {};
        Store(0, nullptr);
        Store(1, nullptr);
        Confirm(query);
        Confirm("c");
        EXPECT_EQ(history.Entries(), (L{"c", query}));
        EXPECT_EQ(Stored(0), "c");
        EXPECT_EQ(Stored(1), "<missing>");
        EXPECT_EQ(Stored(2), "<missing>") << "no line of its own was added";
    }
}

// A load that could not read the file (another program held it open without
// sharing) costs at most the entry the new query pushes out; what another copy
// of the mail program wrote since the load stays, after the queries recorded
// here, and shows in the drop-down from then on.
TEST_F(History, ValuesThisProcessNeverSawStay) {
    for (int n = 0; n < 20; ++n) Store(n, ("e" + std::to_string(n)).c_str());
    {
        const test::FileHeldOpen held(profile.store().Path());
        history.Load(profile.store());
    }
    EXPECT_EQ(history.Entries(), L{}) << "the load read nothing";
    Confirm("q");
    L file;
    for (int n = 0; n < 20; ++n) file.push_back(Stored(n));
    L expected = {"q"};
    for (int i = 0; i < 19; ++i) expected.push_back("e" + std::to_string(i));
    EXPECT_EQ(file, expected);
    expected.push_back("e19");
    EXPECT_EQ(history.Entries(), expected);

    history = {};
    for (int n = 0; n < 20; ++n) Store(n, nullptr);
    Store(0, "a");
    Store(1, "b");
    history.Load(profile.store());
    Store(0, "x");  // the other copy confirmed x
    Store(1, "a");
    Store(2, "b");
    Confirm("q");
    EXPECT_EQ((L{Stored(0), Stored(1), Stored(2), Stored(3), Stored(4)}),
              (L{"q", "x", "a", "b", "<missing>"}));
    EXPECT_EQ(history.Entries(), (L{"q", "x", "a", "b"}));
}

TEST_F(History, AFirstQueryWritesOneKey) {
    Confirm("only");
    EXPECT_EQ(Stored(0), "only");
    EXPECT_EQ(Stored(1), "<missing>");
}

}  // namespace
}  // namespace zms
