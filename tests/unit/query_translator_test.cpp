// The translation of a query into a find pack, table by table.
#include <gtest/gtest.h>

#include "query/field_table.h"
#include "query/query_translator.h"
#include "query_test_support.h"
#include "settings/scope.h"

namespace zms {
namespace {

#define FW "\x81\x40"  // the fullwidth space in code page 932

constexpr Scope kFolder = Scope::kFolder, kSubfolders = Scope::kFolderAndSubfolders,
                kAccount = Scope::kAccount, kAllAccounts = Scope::kAllAccounts;

struct TranslateCase {
    const char* query;
    Scope scope;
    bool fullwidth;
    const char* pack;
};

class Translate : public ::testing::TestWithParam<TranslateCase> {};

TEST_P(Translate, GivesTheFindPack) {
    testing::TestContext context;
    context.SetFullwidth(GetParam().fullwidth);
    EXPECT_EQ(TranslateQuery(GetParam().query, CoversSubfolders(GetParam().scope), context),
              GetParam().pack)
        << "query [" << GetParam().query << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Translate,
    ::testing::Values(
        TranslateCase{"abc", kFolder, false,
                      "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{
            "subject:meeting from:sales", kFolder, false,
            "(\"meeting\",target=subject)and(\"sales\",target=from),subfolder=0,hilight=1"},
        TranslateCase{"subject:\"weekly report\"", kFolder, false,
                      "(\"weekly report\",regular,target=subject),subfolder=0,hilight=1"},
        TranslateCase{"\"a b\" cd", kFolder, false,
                      "(\"a b\",regular,target=smallheaderbody)and(\"cd\",target=smallheaderbody),"
                      "subfolder=0,hilight=1"},
        TranslateCase{"attach:*", kFolder, false, "flag=attach,subfolder=0,hilight=1"},
        TranslateCase{"flag:xyz", kSubfolders, false, "flag=xyz,subfolder=1,hilight=1"},
        TranslateCase{"flag:a flag:b attach:*", kFolder, false,
                      "flag=a&b&attach,subfolder=0,hilight=1"},
        TranslateCase{"attach:report attach:*", kFolder, false,
                      "(\"report\",target=\"X-Attach\"),flag=attach,subfolder=0,hilight=1"},
        TranslateCase{"attach:*.pdf", kFolder, false,
                      "(\".pdf\",target=smallheaderbody),flag=attach,subfolder=0,hilight=1"},
        TranslateCase{"subject:\"abc", kFolder, false,
                      "(\"\"abc\",target=subject),subfolder=0,hilight=1"},
        TranslateCase{"\"abc", kFolder, false,
                      "(\"\"abc\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"subject:", kFolder, false,
                      "(\"subject:\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"subject: abc", kFolder, false,
                      "(\"subject:\",target=smallheaderbody)and(\"abc\",target=smallheaderbody),"
                      "subfolder=0,hilight=1"},
        TranslateCase{"smallheaderbody:", kFolder, false,
                      "(\"smallheaderbody:\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"flag:", kFolder, false, "flag=,subfolder=0,hilight=1"},
        TranslateCase{"flag: abc", kFolder, false,
                      "(\"abc\",target=smallheaderbody),flag=,subfolder=0,hilight=1"},
        TranslateCase{"   abc  ", kFolder, false,
                      "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"", kFolder, false, ",subfolder=0,hilight=1"},
        TranslateCase{"    ", kFolder, false, ",subfolder=0,hilight=1"},
        TranslateCase{
            "subject:abc subject:\"x y\"", kFolder, false,
            "(\"x y\",regular,target=subject)and(\"abc\",target=subject),subfolder=0,hilight=1"},
        TranslateCase{"Subject:abc", kFolder, false,
                      "(\"Subject:abc\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"from+to:office", kFolder, false,
                      "(\"office\",target=from+to),subfolder=0,hilight=1"},
        TranslateCase{
            "smallheader:x smallheaderbody:y", kFolder, false,
            "(\"x\",target=smallheader)and(\"y\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"subject:\"a\\\"b\" cd", kFolder, false,
                      "(\"a\\\"b\",regular,target=subject)and(\"cd\",target=smallheaderbody),"
                      "subfolder=0,hilight=1"},
        TranslateCase{
            "subject:abc" FW "def", kFolder, true,
            "(\"abc \",target=subject)and(\"def\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"subject:abc" FW "def", kFolder, false,
                      "(\"abc" FW "def\",target=subject),subfolder=0,hilight=1"},
        TranslateCase{"subject:abc" FW "from:def", kFolder, true,
                      "(\"abc \",target=subject)and(\"def\",target=from),subfolder=0,hilight=1"},
        TranslateCase{FW "abc" FW, kFolder, true,
                      "(\"abc\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{FW "abc" FW, kFolder, false,
                      "(\"" FW "abc" FW "\",target=smallheaderbody),subfolder=0,hilight=1"}));

INSTANTIATE_TEST_SUITE_P(
    Scopes, Translate,
    ::testing::Values(
        TranslateCase{"x", kFolder, false, "(\"x\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"x", kSubfolders, false,
                      "(\"x\",target=smallheaderbody),subfolder=1,hilight=1"},
        TranslateCase{"x", kAccount, false, "(\"x\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"x", kAllAccounts, false,
                      "(\"x\",target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"", kSubfolders, false, ",subfolder=1,hilight=1"}));

// Terms that a later edit joins, prefixes found inside other terms, line breaks.
INSTANTIATE_TEST_SUITE_P(
    Unanchored, Translate,
    ::testing::Values(
        TranslateCase{"to: from+to:x", kFolder, false,
                      "(\"x\",target=to)and(\"to:\",target=smallheaderbody)and(\"from+\","
                      "target=smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"attach:a subattach:*ject:\"q\"", kFolder, false,
                      "(\"a\",target=\"X-Attach\")and(\"q\",regular,target=subject),flag=attach,"
                      "subfolder=0,hilight=1"},
        TranslateCase{"a\n  b  ", kFolder, false,
                      "(\"a\n\",target=smallheaderbody)and(\"b\",target="
                      "smallheaderbody),subfolder=0,hilight=1"},
        TranslateCase{"subject:\"a\\\n\" b", kFolder, false,
                      "(\"a\\\n\",regular,target=subject)and(\"b\",target=smallheaderbody),"
                      "subfolder=0,hilight=1"},
        TranslateCase{"body: x", kFolder, false,
                      "(\"body:\",target=smallheaderbody)and(\"x\",target=smallheaderbody),"
                      "subfolder=0,hilight=1"}));

struct ConvertCase {
    FieldKind kind;
    const char* query;
    const char* packBefore;
    const char* flagsBefore;
    bool fullwidth;
    const char* queryAfter;
    const char* packAfter;
    const char* flagsAfter;
};

class Convert : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(Convert, ConsumesOneCondition) {
    const ConvertCase& c = GetParam();
    testing::TestContext context;
    context.SetFullwidth(c.fullwidth);
    std::string query = c.query, pack = c.packBefore, flags = c.flagsBefore;
    ConvertTerm(c.kind, query, pack, flags, context);
    EXPECT_EQ(query, c.queryAfter);
    EXPECT_EQ(pack, c.packAfter);
    EXPECT_EQ(flags, c.flagsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Convert,
    ::testing::Values(
        ConvertCase{FieldKind::kSubject, "subject:meeting from:sales", "", "", false, " from:sales",
                    "(\"meeting\",target=subject)", ""},
        ConvertCase{FieldKind::kFrom, "from:b", "(\"a\",target=subject)", "", false, "",
                    "(\"a\",target=subject)and(\"b\",target=from)", ""},
        ConvertCase{FieldKind::kFromTo, "from+to:x", "", "", false, "", "(\"x\",target=from+to)",
                    ""},
        ConvertCase{FieldKind::kAttach, "attach:report attach:*", "", "", false, "attach:report ",
                    "", "flag=attach"},
        ConvertCase{FieldKind::kAttach, "attach:*.pdf", "", "", false, ".pdf", "", "flag=attach"},
        ConvertCase{FieldKind::kAttach, "attach:foo", "", "flag=x", false, "",
                    "(\"foo\",target=\"X-Attach\")", "flag=x"},
        ConvertCase{FieldKind::kAttach, "attach:\"x y\"", "", "", false, "",
                    "(\"x y\",regular,target=\"X-Attach\")", ""},
        ConvertCase{FieldKind::kFlag, "flag:new", "", "flag=attach", false, "", "",
                    "flag=attach&new"},
        ConvertCase{FieldKind::kFlag, "flag:", "", "", false, "", "", "flag="},
        ConvertCase{FieldKind::kFlag, "flag: abc", "", "", false, " abc", "", "flag="},
        ConvertCase{FieldKind::kSubject, "subject:", "", "", false, "smallheaderbody:subject:", "",
                    ""},
        ConvertCase{FieldKind::kSubject, "subject: subject:abc", "", "", false,
                    "subject: ", "(\"abc\",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:abc subject:\"x y\"", "", "", false,
                    "subject:abc ", "(\"x y\",regular,target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:\"a\\\"b\"", "", "", false, "",
                    "(\"a\\\"b\",regular,target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:\"\" x", "", "", false, " x",
                    "(\"\"\"\",target=subject)", ""},
        ConvertCase{FieldKind::kSmallHeaderBody, "smallheaderbody:\"abc", "", "", false, "",
                    "(\"\"abc\",target=smallheaderbody)", ""},
        ConvertCase{FieldKind::kSubject, "subject:a\"b cd\"", "", "", false, " cd\"",
                    "(\"a\"b\",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:a.b*", "", "", false, "",
                    "(\"a.b*\",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:abc" FW "def", "", "", true, "def",
                    "(\"abc \",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:abc" FW "def" FW "ghi", "", "", true,
                    "def" FW "ghi", "(\"abc \",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:" FW "abc", "", "", true, "abc",
                    "(\" \",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:abc" FW "def", "", "", false, "",
                    "(\"abc" FW "def\",target=subject)", ""},
        ConvertCase{FieldKind::kSubject, "subject:\"a" FW "b\"", "", "", true, "",
                    "(\"a" FW "b\",regular,target=subject)", ""},
        ConvertCase{FieldKind::kFlag, "flag:a" FW "b", "", "", true, "", "", "flag=a" FW "b"}));

struct TrimCase {
    const char* query;
    bool fullwidth;
    const char* trimmed;
};

class Trim : public ::testing::TestWithParam<TrimCase> {};

TEST_P(Trim, RemovesTheSeparatorsAtBothEnds) {
    testing::TestContext context;
    context.SetFullwidth(GetParam().fullwidth);
    std::string q = GetParam().query;
    TrimQuery(q, context);
    EXPECT_EQ(q, GetParam().trimmed);
    TrimQuery(q, context);
    EXPECT_EQ(q, GetParam().trimmed) << "trimming twice changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Separators, Trim,
    ::testing::Values(TrimCase{"  a b  ", false, "a b"}, TrimCase{"   ", false, ""},
                      TrimCase{"\ta\t", false, "\ta\t"}, TrimCase{" " FW " a " FW, false, FW " a " FW},
                      TrimCase{" " FW " a " FW, true, "a"}, TrimCase{FW FW, true, ""},
                      TrimCase{"@a", true, "@a"}, TrimCase{"\x81 a", true, "\x81 a"},
                      // 0x81 0x81 0x40: the byte pair at the end is a separator, byte-wise.
                      TrimCase{"a\x81\x81\x40", true, "a\x81"}, TrimCase{"a \n b", false, "a \n b"}));

TEST(ClassifyField, ReadsTheLeadingPrefixInTableOrder) {
    struct {
        const char* query;
        FieldKind kind;
    } cases[] = {{"smallheaderbody:x", FieldKind::kSmallHeaderBody},
                 {"subject:x", FieldKind::kSubject},
                 {"from+to:x", FieldKind::kFromTo},
                 {"from:x", FieldKind::kFrom},
                 {"to:x", FieldKind::kTo},
                 {"body:x", FieldKind::kBody},
                 {"header:x", FieldKind::kHeader},
                 {"smallheader:x", FieldKind::kSmallHeader},
                 {"all:x", FieldKind::kAll},
                 {"memo:x", FieldKind::kMemo},
                 {"attach:x", FieldKind::kAttach},
                 {"flag:x", FieldKind::kFlag},
                 {"\"subject:x", kDefaultField},
                 {"Subject:x", kDefaultField},
                 {"x", kDefaultField},
                 {"", kDefaultField},
                 {"subject", kDefaultField},
                 {"smallheader:", FieldKind::kSmallHeader},
                 {"from+", kDefaultField}};
    for (const auto& c : cases) EXPECT_EQ(ClassifyField(c.query), c.kind) << c.query;
}

// Only plain values go through the host's escaping; quoted texts and flags never do.
TEST(YenEncode, AppliesToPlainValuesOnly) {
    QueryContext context;
    context.encode = [](const std::string& v) { return "<" + v + ">"; };
    std::string pack = TranslateQuery("a subject:\"b c\" flag:d attach:e", false, context);
    EXPECT_EQ(pack,
              "(\"<a>\",target=smallheaderbody)and(\"b c\",regular,target=subject)and(\"<e>\","
              "target=\"X-Attach\"),flag=d,subfolder=0,hilight=1");
}

// The option is asked at most once per call, and only where a fullwidth space
// stands where it decides; each call asks anew.
TEST(FullwidthOption, IsReadOncePerCall) {
    struct {
        const char* query;
        int reads, trimReads;
    } cases[] = {{"abc def subject:\"x" FW "y\" flag:a" FW "b", 0, 0},
                 {FW "a" FW "b" FW "c" FW " d" FW FW, 1, 1},
                 {"subject:a" FW "b from:c" FW "d", 1, 0}};
    for (const auto& c : cases) {
        int reads = 0;
        QueryContext context;
        context.fullwidthOption = [&reads] { return ++reads > 0; };
        TranslateQuery(c.query, false, context);
        EXPECT_EQ(reads, c.reads) << c.query;
        reads = 0;
        std::string q = c.query;
        TrimQuery(q, context);
        EXPECT_EQ(reads, c.trimReads) << c.query;
    }
}

}  // namespace
}  // namespace zms
