// The fast translator against a word-for-word reading of the rules with
// Boost.Regex, over generated queries, and over inputs too large for the regex
// engine, whose results are built here by hand.
#include <gtest/gtest.h>

#include <random>

#include "query/field_table.h"
#include "query/query_translator.h"
#include "query_generator.h"
#include "query_reference.h"
#include "query_test_support.h"

namespace zms {
namespace {

using testing::RandomQuery;

TEST(Oracle, AgreesOnGeneratedQueries) {
    testing::TestContext context;
    int compared = 0;
    testing::ForEachGeneratedQuery([&](const std::string& q, Scope scope, bool fullwidth) {
        context.SetFullwidth(fullwidth);
        const std::string expected = reference::TranslateQuery(q, scope, fullwidth);
        ASSERT_EQ(TranslateQuery(q, CoversSubfolders(scope), context), expected)
            << "query [" << q << "] fullwidth " << fullwidth;
        ++compared;
    });
    EXPECT_EQ(compared, 8000);
}

TEST(Oracle, AgreesOnOneConversion) {
    testing::TestContext context;
    std::mt19937 rng(7);
    for (bool fullwidth : {false, true}) {
        context.SetFullwidth(fullwidth);
        for (int i = 0; i < 3000; ++i) {
            const FieldKind kind = static_cast<FieldKind>(rng() % kFieldCount);
            std::string q = std::string(FieldOf(kind).prefix) + RandomQuery(rng, 10);
            std::string pack = i % 3 ? "" : "(\"z\",target=to)", flags = i % 5 ? "" : "flag=f";
            std::string rq = q, rpack = pack, rflags = flags;
            ConvertTerm(kind, q, pack, flags, context);
            reference::ConvertTerm(kind, rq, rpack, rflags, fullwidth);
            ASSERT_EQ(q, rq) << Row(kind) << " [" << rq << "]";
            ASSERT_EQ(pack, rpack);
            ASSERT_EQ(flags, rflags);
        }
    }
}

// The reference itself, checked on what a person reads off the rules.
TEST(Oracle, ReadsTheExamplesAsWritten) {
    EXPECT_EQ(reference::TranslateQuery("subject:abc subject:\"x y\"", Scope::kFolder, false),
              "(\"x y\",regular,target=subject)and(\"abc\",target=subject),subfolder=0,hilight=1");
    EXPECT_EQ(reference::TranslateQuery("attach:*.pdf", Scope::kFolderAndSubfolders, false),
              "(\".pdf\",target=smallheaderbody),flag=attach,subfolder=1,hilight=1");
}

std::string Repeat(const std::string& s, std::size_t times) {
    std::string out;
    out.reserve(s.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += s;
    return out;
}

const std::size_t kMiB = 1 << 20;

TEST(Pathological, OneQuotedTermOfAMebibyte) {
    testing::TestContext context;
    std::string body = Repeat("a\\\"b ", kMiB / 5);
    std::string q = "subject:\"" + body + "\"";
    EXPECT_EQ(TranslateQuery(q, false, context),
              "(\"" + body + "\",regular,target=subject),subfolder=0,hilight=1");
}

TEST(Pathological, AnUnclosedQuoteOfAMebibyteIsPlainTerms) {
    testing::TestContext context;
    std::string q = "subject:\"" + Repeat("ab ", kMiB / 3);
    std::string pack = TranslateQuery(q, false, context);
    std::string expected = "(\"\"ab\",target=subject)" +
                           Repeat("and(\"ab\",target=smallheaderbody)", kMiB / 3 - 1) +
                           ",subfolder=0,hilight=1";
    EXPECT_EQ(pack, expected);
}

TEST(Pathological, PrefixesWithNoValue) {
    testing::TestContext context;
    // Thousands of them, small enough for the reference to follow.
    std::string q = Repeat("subject: from: ", 600) + "subject:x";
    EXPECT_EQ(TranslateQuery(q, false, context),
              reference::TranslateQuery(q, Scope::kFolder, false));
    // A mebibyte of them: each becomes a default-field term of its own text.
    std::string big = Repeat("to: ", kMiB / 4);
    EXPECT_EQ(TranslateQuery(big, false, context),
              "(\"to:\",target=smallheaderbody)" +
                  Repeat("and(\"to:\",target=smallheaderbody)", kMiB / 4 - 1) +
                  ",subfolder=0,hilight=1");
}

TEST(Pathological, LoneHalvesOfTheFullwidthSpace) {
    testing::TestContext context;
    context.SetFullwidth(true);
    std::string q = Repeat("\x81 @ \x40\x81", 500);
    EXPECT_EQ(TranslateQuery(q, false, context),
              reference::TranslateQuery(q, Scope::kFolder, true));
    std::string lone = Repeat("\x81", kMiB);
    EXPECT_EQ(TranslateQuery(lone, false, context),
              "(\"" + lone + "\",target=smallheaderbody),subfolder=0,hilight=1");
}

// Long runs of separators that do not reach the end: a trailing trim that
// tried every start of such a run would be quadratic (the regex engine gave
// up on it).
TEST(Pathological, LongSeparatorRunsInside) {
    testing::TestContext context;
    context.SetFullwidth(true);
    const std::string run = Repeat(" \x81\x40", 100000);
    EXPECT_EQ(TranslateQuery("header:" + run + "x" + run, false, context),
              "(\"header:\",target=smallheaderbody)and(\"x\",target=smallheaderbody),subfolder=0,"
              "hilight=1");
}

TEST(Pathological, QuotesAndBackslashesAnywhere) {
    testing::TestContext context;
    std::mt19937 rng(99);
    const char alphabet[] = {'"', '\\', ' ', 'a', ':'};
    for (int i = 0; i < 200; ++i) {
        std::string q = "subject:";
        for (int k = 0; k < 300; ++k) q += alphabet[rng() % sizeof(alphabet)];
        ASSERT_EQ(TranslateQuery(q, false, context),
                  reference::TranslateQuery(q, Scope::kFolder, false))
            << q;
    }
}

}  // namespace
}  // namespace zms
