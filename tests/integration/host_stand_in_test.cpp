// The stand-in VRInfo.dll as a program loads it: every entry found by its
// plain name, called through the plug-in's own pointer types, and the journal
// line each call writes. Runs in the directory that holds VRInfo.dll.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/library.h"
#include "plugin/host_link.h"
#include "tools/vrinfo/stand_in.h"

namespace zms {
namespace {

#ifdef _WIN32
constexpr char kPath[] = ".\\VRInfo.dll";
#else
constexpr char kPath[] = "./VRInfo.dll";
#endif

constexpr char kInbox[] = "\x8E\xF3\x90\x4D";  // "受信", the default folder

class StandInTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = platform::LoadLibraryFile(kPath);
        ASSERT_NE(library_, nullptr) << kPath;
#define ZMS_BIND_ENTRY(name, type) Bind(#name, h_.name);
        ZMS_HOST_ENTRIES(ZMS_BIND_ENTRY)
#undef ZMS_BIND_ENTRY
        Bind("StandInSet", set_);
        Bind("StandInJournal", journal_);
        Bind("StandInClearJournal", clear_);
    }

    template <class Fn>
    static void Bind(const char* name, Fn& entry) {
        entry = reinterpret_cast<Fn>(platform::FindEntry(library_, name));
        ASSERT_NE(entry, nullptr) << name << " is not exported under its plain name";
    }

    // Every test starts from the answers the library has after load.
    void SetUp() override {
        ASSERT_TRUE(library_);
        for (auto [name, value] : {std::pair{"inside", "1"},
                                   {"mainwnd", "65552"},
                                   {"window", "main"},
                                   {"account", "user@example.jp"},
                                   {"folder", kInbox},
                                   {"version", "1"}})
            ASSERT_EQ(set_(name, value), 1) << name;
        clear_();
    }

    static std::string Journal() { return journal_(); }

    static inline platform::Library library_ = nullptr;
    static inline HostLink h_;
    static inline stand_in::SetFn set_ = nullptr;
    static inline stand_in::JournalFn journal_ = nullptr;
    static inline stand_in::ClearJournalFn clear_ = nullptr;
};

struct IntCase {
    std::vector<std::pair<const char*, const char*>> settings;
    HostLink::IntFn HostLink::*entry;
    int32_t result;
    const char* journal;
};

TEST_F(StandInTest, IntegerEntriesAnswerAsSetAndJournalTheirResult) {
    const IntCase cases[] = {
        {{}, &HostLink::IsZentoroMail, 1, "IsZentoroMail() = 1\n"},
        {{{"inside", "0"}}, &HostLink::IsZentoroMail, 0, "IsZentoroMail() = 0\n"},
        {{}, &HostLink::MainWnd, 65552, "MainWnd() = 65552\n"},
        {{{"mainwnd", "0"}}, &HostLink::MainWnd, 0, "MainWnd() = 0\n"},
        {{{"mainwnd", "0x80000000"}}, &HostLink::MainWnd, INT32_MIN, "MainWnd() = -2147483648\n"},
        {{{"mainwnd", "0x100020044"}}, &HostLink::MainWnd, 0x20044, "MainWnd() = 131140\n"},
        {{}, &HostLink::IsZentoroMailMain, 1, "IsZentoroMailMain() = 1\n"},
        {{}, &HostLink::IsZentoroMailGrep, 0, "IsZentoroMailGrep() = 0\n"},
        {{{"window", "grep"}}, &HostLink::IsZentoroMailMain, 0, "IsZentoroMailMain() = 0\n"},
        {{{"window", "grep"}}, &HostLink::IsZentoroMailGrep, 1, "IsZentoroMailGrep() = 1\n"},
        {{{"window", "other"}}, &HostLink::IsZentoroMailMain, 0, "IsZentoroMailMain() = 0\n"},
        {{{"window", "other"}}, &HostLink::IsZentoroMailGrep, 0, "IsZentoroMailGrep() = 0\n"},
        {{}, &HostLink::ZentoroMailVersion, 1, "ZentoroMailVersion() = 1\n"},
        {{{"version", "-7"}}, &HostLink::ZentoroMailVersion, -7, "ZentoroMailVersion() = -7\n"},
        {{}, &HostLink::SetQuietMode, 0, "SetQuietMode() = 0\n"},
    };
    for (const IntCase& c : cases) {
        SetUp();
        for (auto [name, value] : c.settings) ASSERT_EQ(set_(name, value), 1) << name;
        EXPECT_EQ((h_.*c.entry)(), c.result) << c.journal;
        EXPECT_EQ(Journal(), c.journal);
    }
}

TEST_F(StandInTest, TextEntriesReturnTheirTextOrNull) {
    EXPECT_STREQ(h_.CurrentAccount(), "user@example.jp");
    EXPECT_STREQ(h_.CurrentFolder(), kInbox);
    ASSERT_EQ(set_("account", nullptr), 1);
    ASSERT_EQ(set_("folder", nullptr), 1);
    EXPECT_EQ(h_.CurrentAccount(), nullptr);
    EXPECT_EQ(h_.CurrentFolder(), nullptr);
    EXPECT_EQ(Journal(), std::string("CurrentAccount() = \"user@example.jp\"\n"
                                     "CurrentFolder() = \"") +
                             kInbox +
                             "\"\n"
                             "CurrentAccount() = null\n"
                             "CurrentFolder() = null\n");
}

TEST_F(StandInTest, ExecAtMainJournalsTheNamedEntryWithItsArguments) {
    ASSERT_EQ(set_("account", "a\\b"), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(h_.ExecAtMain("CurrentAccount")), "a\\b");
    EXPECT_STREQ(reinterpret_cast<const char*>(h_.ExecAtMain("CurrentFolder")), kInbox);
    EXPECT_EQ(h_.ExecAtMain("SetFindPack", "(\"abc\",target=subject),hilight=1"), 0);
    EXPECT_EQ(h_.ExecAtMain("StartDoGrep", "acct", ""), 0);
    EXPECT_EQ(h_.ExecAtMain("StartDoGrep", static_cast<const char*>(nullptr), kInbox), 0);
    EXPECT_EQ(h_.ExecAtMain("PushFindPack"), 0);
    EXPECT_EQ(h_.ExecAtMain("Nosuch"), 0);
    ASSERT_EQ(set_("folder", nullptr), 1);
    EXPECT_EQ(h_.ExecAtMain("CurrentFolder"), 0);
    EXPECT_EQ(Journal(),
              std::string("ExecAtMain(\"CurrentAccount\") = \"a\\\\b\"\n"
                          "ExecAtMain(\"CurrentFolder\") = \"") +
                  kInbox +
                  "\"\n"
                  "ExecAtMain(\"SetFindPack\", \"(\\\"abc\\\",target=subject),hilight=1\")\n"
                  "ExecAtMain(\"StartDoGrep\", \"acct\", \"\")\n"
                  "ExecAtMain(\"StartDoGrep\", null, \"" +
                  kInbox +
                  "\")\n"
                  "ExecAtMain(\"PushFindPack\")\n"
                  "ExecAtMain(\"Nosuch\") = 0\n"
                  "ExecAtMain(\"CurrentFolder\") = null\n");
}

TEST_F(StandInTest, HandOverEntriesJournalTheirArgumentsInCallOrder) {
    h_.SetFindPack("a\tb\x7F");
    h_.StartDoGrep("acct", nullptr);
    h_.PushFindPack();
    EXPECT_EQ(Journal(),
              "SetFindPack(\"a\\x09b\\x7F\")\n"
              "StartDoGrep(\"acct\", null)\n"
              "PushFindPack()\n");
    clear_();
    EXPECT_EQ(Journal(), "");
}

TEST_F(StandInTest, YenEncodeEscapesForADoubleQuotedValue) {
    struct {
        const char* in;
        const char* out;
        const char* journal;
    } const cases[] = {
        {"abc", "abc", "YenEncode(\"abc\") = \"abc\"\n"},
        {"a\"b\\c", "a\\\"b\\\\c", "YenEncode(\"a\\\"b\\\\c\") = \"a\\\\\\\"b\\\\\\\\c\"\n"},
        {"\x95\x5C\\", "\x95\x5C\\\\", "YenEncode(\"\x95\x5C\\\\\") = \"\x95\x5C\\\\\\\\\"\n"},
    };
    for (const auto& c : cases) {
        clear_();
        EXPECT_STREQ(h_.YenEncode(c.in), c.out);
        EXPECT_EQ(Journal(), c.journal);
    }
}

TEST_F(StandInTest, StandInSetRefusesUnknownNamesAndBadValuesAndKeepsTheAnswer) {
    const std::pair<const char*, const char*> refused[] = {
        {"nosuch", "1"},      {nullptr, "1"},
        {"inside", "2"},      {"inside", nullptr},
        {"mainwnd", ""},      {"mainwnd", "12x"},
        {"mainwnd", nullptr}, {"mainwnd", "99999999999999999999"},
        {"window", "Main"},   {"window", nullptr},
    };
    for (auto [name, value] : refused) EXPECT_EQ(set_(name, value), 0) << (name ? name : "null");
    EXPECT_EQ(h_.IsZentoroMail(), 1);
    EXPECT_EQ(h_.MainWnd(), 65552);
    EXPECT_EQ(h_.IsZentoroMailMain(), 1);
}

}  // namespace
}  // namespace zms
