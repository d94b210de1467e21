// The query history over generated sessions: what record does to the list, and
// that what save leaves in the profile file loads back in a new process.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "plugin/query_history.h"
#include "query_test_support.h"

namespace zms {
namespace {

constexpr int kKeys = 20;


std::vector<std::string> NonBlank(const std::vector<std::string>& list) {
    std::vector<std::string> out;
    for (const std::string& e : list)
        if (!e.empty()) out.push_back(e);
    return out;
}

// Queries as the dialog's line holds them: a small pool, so that repeats are
// common, of texts the profile file must keep exactly (quotes, end spaces,
// fullwidth spaces, "=", brackets) and a few with line breaks, which stay in
// memory only.
std::string GeneratedQuery(std::mt19937& rng) {
    static const char* const kPieces[] = {"a", "b", "subject:x", "\"", "'", " ", "\t", "=", "[h]",
                                          ";", "\x81\x40", "\x83\x5c", "\xb1", "\"q r\""};
    constexpr std::size_t kCount = sizeof(kPieces) / sizeof(kPieces[0]);
    std::string q;
    do {
        const int pieces = rng() % 2 ? 1 : 1 + static_cast<int>(rng() % 3);
        for (int i = 0; i < pieces; ++i) q += kPieces[rng() % kCount];
    } while (q.empty());
    if (rng() % 40 == 0) q.insert(rng() % q.size(), rng() % 2 ? "\n" : "\r");
    return q;
}

class HistoryProperties : public ::testing::Test {
protected:
    testing::ScopedProfile profile;
    QueryHistory history;
};

TEST_F(HistoryProperties, RecordPutsTheQueryFirstAndKeepsOneOfEach) {
    std::mt19937 rng(2024);
    for (int i = 0; i < 2000; ++i) {
        if (i % 100 == 0) history = {};
        const std::size_t sizeBefore = history.Entries().size();
        const std::vector<std::string> before = NonBlank(history.Entries());
        const std::string q = GeneratedQuery(rng);
        history.Record(q);
        const std::vector<std::string> after = history.Entries();
        // Nothing is dropped: a removed copy stays as a blank in its place.
        ASSERT_EQ(after.size(), sizeBefore + 1);
        ASSERT_EQ(after.front(), q);
        // The non-blank entries: the query, then the earlier ones without it.
        std::vector<std::string> expected{q};
        for (const std::string& e : before)
            if (e != q) expected.push_back(e);
        ASSERT_EQ(NonBlank(after), expected) << "after recording [" << q << "]";
    }
}

// Sessions of a process: a fresh load, some confirmed queries (each recorded
// and saved as the dialog's OK does), then the next process loads the file.
// The file is modelled as its twenty keys: a save writes the non-blank entries
// among the first twenty positions under numbers 0, 1, ... and removes the keys
// above them.
TEST_F(HistoryProperties, WhatSaveWritesLoadsBackInTheNextProcess) {
    std::mt19937 rng(77);
    std::array<std::string, kKeys> file{};  // "" for a missing key
    // An older file: gaps, and a key beyond the twenty that is never read.
    for (int n : {1, 4, 19}) {
        file[n] = "old" + std::to_string(n);
        profile.store().WriteString("History", ("history" + std::to_string(n)).c_str(), file[n].c_str());
    }
    profile.store().WriteString("History", "history20", "never");

    int loadedFull = 0;
    for (int session = 0; session < 50; ++session) {
        history = {};
        history.Load(profile.store());
        std::vector<std::string> expected;
        for (const std::string& value : file)
            if (!value.empty()) expected.push_back(value);
        ASSERT_EQ(history.Entries(), expected) << "session " << session;
        loadedFull += expected.size() == kKeys;

        const int confirmations = static_cast<int>(rng() % 8);
        for (int c = 0; c < confirmations; ++c) {
            history.Record(GeneratedQuery(rng));
            history.Save(profile.store());
            const std::vector<std::string> list = history.Entries();
            int counter = 0;
            for (std::size_t p = 0; p < list.size() && p < kKeys; ++p) {
                if (list[p].empty() || list[p].find_first_of("\r\n") != std::string::npos) continue;
                file[counter++] = list[p];
            }
            for (int n = counter; n < kKeys; ++n) file[n].clear();
        }
    }
    EXPECT_GT(loadedFull, 2);  // sessions that started with all twenty keys
}

}  // namespace
}  // namespace zms
