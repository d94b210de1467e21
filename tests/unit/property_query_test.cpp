// Properties of the translation over generated queries: every find pack reads
// back by its grammar (find_pack_grammar.h), and trimming is a clean cut that a
// second trim leaves alone.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "find_pack_grammar.h"
#include "query/query_translator.h"
#include "query_test_support.h"
#include "settings/scope.h"

namespace zms {
namespace {

const std::string kFullwidth = "\x81\x40";

// Pieces that meet in the ways the translation cares about, and any other byte
// but NUL (a query is a C string wherever it comes from).
std::string GeneratedQuery(std::mt19937& rng) {
    static const char* const kPieces[] = {
        "subject:", "from:", "from+to:", "to:", "body:", "header:", "smallheader:",
        "smallheaderbody:", "all:", "memo:", "attach:", "attach:*", "flag:", "Subject:",
        "\"", "\"", "\\", "\\\"", " ", " ", "  ", "\x81\x40", "\x81", "\x40", "\x83\x5c",
        "a", "xyz", "\"q r\"", "\"s\\\"t\"", ")", "(", "and", ",", "=", "&", ",target=", "\t", "\n", "*"};
    constexpr std::size_t kCount = sizeof(kPieces) / sizeof(kPieces[0]);
    std::string q;
    const int pieces = static_cast<int>(rng() % 24);
    for (int i = 0; i < pieces; ++i) {
        if (rng() % 8 == 0) {
            q += static_cast<char>(1 + rng() % 255);
        } else {
            q += kPieces[rng() % kCount];
        }
    }
    return q;
}

bool IsSeparatorAt(const std::string& s, std::size_t i, bool fullwidth) {
    return s[i] == ' ' || (fullwidth && s.compare(i, 2, kFullwidth) == 0);
}

// Whether `s` is made only of separators, read from the left.
bool AllSeparators(const std::string& s, bool fullwidth) {
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == ' ') {
            ++i;
        } else if (fullwidth && s.compare(i, 2, kFullwidth) == 0) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// The reader itself, on packs whose reading a person can check.
TEST(FindPackGrammar, ReadsTermsFlagsAndSuffix) {
    const auto p = test::ParseFindPack(
        "(\"x y\",regular,target=subject)and(\"a\\\"b\",target=\"X-Attach\")and(\"c \",target=from+to)"
        ",flag=a&attach,subfolder=1,hilight=1");
    ASSERT_TRUE(p);
    ASSERT_EQ(p->terms.size(), 3u);
    EXPECT_TRUE(p->terms[0].quoted);
    EXPECT_EQ(p->terms[0].value, "\"x y\"");
    EXPECT_EQ(p->terms[0].target, "subject");
    EXPECT_FALSE(p->terms[1].quoted);
    EXPECT_EQ(p->terms[1].value, "a\\\"b");
    EXPECT_EQ(p->terms[1].target, "\"X-Attach\"");
    EXPECT_EQ(p->terms[2].value, "c ");
    EXPECT_EQ(p->terms[2].target, "from+to");
    EXPECT_TRUE(p->hasFlags);
    EXPECT_EQ(p->flagItems, "a&attach");
    EXPECT_EQ(p->subfolder, 1);

    const auto bare = test::ParseFindPack(",subfolder=0,hilight=1");
    ASSERT_TRUE(bare);
    EXPECT_TRUE(bare->terms.empty());
    EXPECT_FALSE(bare->hasFlags);
    // A value holding the pieces of the grammar still has its reading.
    const auto tricky = test::ParseFindPack("(\"a\",target=to)and(\"b\",target=to)x\",target=body),subfolder=0,hilight=1");
    ASSERT_TRUE(tricky);
    ASSERT_EQ(tricky->terms.size(), 2u);
    EXPECT_EQ(tricky->terms[1].value, "b\",target=to)x");
}

TEST(FindPackGrammar, RejectsWhatTheTranslatorNeverBuilds) {
    for (const char* pack : {
             "(\"a\",target=subject)",                                     // no suffixes
             "(\"a\",target=subject),subfolder=2,hilight=1",               // no such scope
             "(\"a\",target=attach),subfolder=0,hilight=1",                // attachments name X-Attach
             "(\"a\",target=flag),subfolder=0,hilight=1",                  // flags form no term
             "(\"a\",target=Subject),subfolder=0,hilight=1",               // names as in the table
             "(\"x y\",regular,target=to)(\"b\",target=to),subfolder=0,hilight=1",  // no "and"
             "(\"a\",target=to)and,subfolder=0,hilight=1",                 // "and" before nothing
             "(\"a b\",target=to),subfolder=0,hilight=1",                  // a space inside a plain value
             "(\"\",target=to),subfolder=0,hilight=1",                     // an empty plain value
             "(\"\",regular,target=to),subfolder=0,hilight=1",             // an empty quoted text
             "(\"a\"b\",regular,target=to),subfolder=0,hilight=1",        // an unescaped quote inside
             "(\"a\",target=to)flag=x,subfolder=0,hilight=1",              // no comma before the flags
             ",flag=x,subfolder=0,hilight=1",                                // a comma with no term before
             "flag=x y,subfolder=0,hilight=1",                               // a space in the flags
         }) {
        EXPECT_FALSE(test::ParseFindPack(pack)) << pack;
    }
}

class QueryProperties : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { context.SetFullwidth(GetParam()); }
    testing::TestContext context;
};

TEST_P(QueryProperties, EveryFindPackReadsBackByItsGrammar) {
    const bool fullwidth = GetParam();
    std::mt19937 rng(fullwidth ? 4711 : 815);
    int withTerms = 0, withFlags = 0, withQuoted = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string q = GeneratedQuery(rng);
        const Scope scope = kScopes[rng() % 4];
        const std::string pack = TranslateQuery(q, CoversSubfolders(scope), context);
        std::string why;
        const auto parsed = test::ParseFindPack(pack, &why);
        ASSERT_TRUE(parsed) << "query [" << q << "] pack [" << pack << "]: " << why;

        EXPECT_EQ(parsed->subfolder, scope == Scope::kFolderAndSubfolders ? 1 : 0) << q;
        // A query with anything but separators yields a term or a flag item.
        std::string trimmed = q;
        TrimQuery(trimmed, context);
        EXPECT_EQ(trimmed.empty(), parsed->terms.empty() && !parsed->hasFlags) << "[" << q << "]";
        for (const test::PackTerm& t : parsed->terms) {
            // A plain value ends with a space only where a fullwidth space cut it.
            if (!t.quoted && t.value.back() == ' ') {
                EXPECT_TRUE(fullwidth && q.find(kFullwidth) != std::string::npos) << q << " -> " << pack;
            }
            withQuoted += t.quoted;
        }
        withTerms += !parsed->terms.empty();
        withFlags += parsed->hasFlags;
    }
    // The generator reaches every part of the grammar.
    EXPECT_GT(withTerms, 1000);
    EXPECT_GT(withFlags, 100);
    EXPECT_GT(withQuoted, 100);
}

TEST_P(QueryProperties, TrimCutsOnlySeparatorsAndIsIdempotent) {
    const bool fullwidth = GetParam();
    std::mt19937 rng(fullwidth ? 99 : 98);
    for (int i = 0; i < 3000; ++i) {
        std::string q = GeneratedQuery(rng);
        if (i % 3 == 0) q = (i % 2 ? kFullwidth + " " : " ") + q + (i % 5 ? " " + kFullwidth : "  ");
        std::string once = q;
        TrimQuery(once, context);
        std::string twice = once;
        TrimQuery(twice, context);
        ASSERT_EQ(twice, once) << "[" << q << "]";

        // The cut: the leading run of separators, then the text, then nothing
        // but separators; no separator left at either end of the text.
        std::size_t front = 0;
        while (front < q.size() && IsSeparatorAt(q, front, fullwidth)) front += q[front] == ' ' ? 1 : 2;
        ASSERT_EQ(q.compare(front, once.size(), once), 0) << "[" << q << "] -> [" << once << "]";
        EXPECT_TRUE(AllSeparators(q.substr(front + once.size()), fullwidth)) << "[" << q << "]";
        if (once.empty()) continue;
        EXPECT_FALSE(IsSeparatorAt(once, 0, fullwidth)) << "[" << q << "]";
        EXPECT_NE(once.back(), ' ') << "[" << q << "]";
        if (fullwidth && once.size() >= 2) {
            EXPECT_NE(once.substr(once.size() - 2), kFullwidth) << "[" << q << "]";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fullwidth, QueryProperties, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

}  // namespace
}  // namespace zms
