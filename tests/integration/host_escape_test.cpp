// YenEncode's escaping and the journal's quoting (tools/vrinfo/stand_in_escape.h).
#include <gtest/gtest.h>

#include <string>

#include "tools/vrinfo/stand_in_escape.h"

namespace zms {
namespace {

struct Case {
    const char* what;
    std::string in;
    std::string out;
    bool validText = true;  // valid code page 932 without control bytes
};

// "表" is 0x95 0x5C and "ソ" 0x83 0x5C: the trail byte is a backslash.
const Case kEscape[] = {
    {"empty", "", ""},
    {"plain ASCII", "subject:abc x", "subject:abc x"},
    {"quote", "a\"b", "a\\\"b"},
    {"backslash", "a\\b", "a\\\\b"},
    {"backslash before a quote", "\\\"", "\\\\\\\""},
    {"trail byte 0x5C kept single", "\x95\x5C", "\x95\x5C"},
    {"trail byte 0x5C, then a backslash", "\x83\x5C\\", "\x83\x5C\\\\"},
    {"lead byte, then a quote: one character", "\x81\"", "\x81\"", false},
    {"lone lead byte at the end", "ab\x95", "ab\x95", false},
    {"backslash, then a lead byte at the end", "\\\x95", "\\\\\x95", false},
    {"lowest and highest lead bytes", "\x81\x5C\x9F\x5C\xE0\x5C\xFC\x5C",
     "\x81\x5C\x9F\x5C\xE0\x5C\xFC\x5C"},
    {"bytes just outside the lead ranges", "\x80\\\xA0\\\xDF\\\xFD\\",
     "\x80\\\\\xA0\\\\\xDF\\\\\xFD\\\\"},
    {"half-width katakana is one byte", "\xB1\\", "\xB1\\\\"},
};

TEST(StandInEscape, EscapesAsAHostMustInsideDoubleQuotes) {
    for (const Case& c : kEscape) EXPECT_EQ(StandInEscape(c.in), c.out) << c.what;
}

const Case kQuote[] = {
    {"empty", "", "\"\""},
    {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
    {"control bytes", std::string("\t\n\r\x1F\x7F\0z", 7), "\"\\x09\\x0A\\x0D\\x1F\\x7F\\x00z\""},
    {"code page 932 kept, trail 0x5C included", "\x8E\xF3\x95\x5C", "\"\x8E\xF3\x95\x5C\""},
    {"lead byte before a control byte", "\x95\n", "\"\x95\\x0A\""},
    {"lead byte before a quote", "\x81\"", "\"\x81\\\"\""},
    {"lone lead byte at the end", "a\x95", "\"a\x95\""},
    {"bytes 0x80 and 0xFF", "\x80\xFF", "\"\x80\xFF\""},
};

TEST(StandInQuote, WritesJournalTexts) {
    for (const Case& c : kQuote) EXPECT_EQ(StandInQuote(c.in), c.out) << c.what;
    EXPECT_EQ(StandInQuote(static_cast<const char*>(nullptr)), "null");
    EXPECT_EQ(StandInQuote("a\"b"), "\"a\\\"b\"");
}

// Documented in the header: for valid code page 932 without control bytes the
// journal form is the escaped text between quotes.
TEST(StandInQuote, AgreesWithTheEscapingOnValidText) {
    for (const Case& c : kEscape) {
        if (c.validText) {
            EXPECT_EQ(StandInQuote(c.in), "\"" + StandInEscape(c.in) + "\"") << c.what;
        }
    }
}

}  // namespace
}  // namespace zms
