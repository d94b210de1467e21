// The console view's terminal text: code page 932 shown as UTF-8 and typed
// UTF-8 taken as code page 932.
#include <gtest/gtest.h>

#include <string>

#include "platform/terminal.h"

namespace zms {
namespace {

// Code page 932 and UTF-8 byte for byte, converted with iconv.
TEST(ConsoleText, ShowsCodePage932AsUtf8) {
    struct {
        std::string cp932, utf8;
    } cases[] = {
        {"abc 123", "abc 123"},
        {"\x8c\x9f\x8d\xf5", "\xe6\xa4\x9c\xe7\xb4\xa2"},                      // 検索
        {"a\x81\x40" "b", "a\xe3\x80\x80" "b"},                                 // fullwidth space
        {"\xb1", "\xef\xbd\xb1"},                                               // halfwidth katakana
        {"\x83\x5c", "\xe3\x82\xbd"},                                           // a trail byte 0x5C
        {"a\x8c", "a?"},                                                        // cut off at the end
        {"\x81\x20z", "? z"},                                                   // no trail byte
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::TerminalFromCp932(c.cp932), c.utf8) << c.utf8;
}

TEST(ConsoleText, TakesUtf8AsCodePage932KeepingWhatItCannot) {
    struct {
        std::string utf8, cp932;
    } cases[] = {
        {"from:x", "from:x"},
        {"\xe6\xa4\x9c\xe7\xb4\xa2", "\x8c\x9f\x8d\xf5"},
        {"\xe3\x80\x80", "\x81\x40"},
        {"\xe3\x82\xbd", "\x83\x5c"},
        {"\xff" "a", "\xff" "a"},                          // not UTF-8
        {"a\xe3\x81", "a\xe3\x81"},                        // cut off
        {"\xe3\x81" "a", "\xe3\x81" "a"},                  // broken in the middle
        {"\xc3\xa9", "\xc3\xa9"},                          // U+00E9: not in code page 932
        {"x\xf0\x9f\x98\x80y", "x\xf0\x9f\x98\x80y"},     // outside the BMP
        {"\xc0\xaf", "\xc0\xaf"},                          // overlong
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::Cp932FromTerminal(c.utf8), c.cp932) << c.utf8;
}

}  // namespace
}  // namespace zms
