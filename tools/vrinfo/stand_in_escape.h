// The escaping of the stand-in host library, shared with the tools that need
// to produce or read the same text.
//
// StandInEscape is what the stand-in's YenEncode returns: the text made fit to
// stand between double quotes in a find pack.
//   - a backslash (0x5C) becomes two backslashes;
//   - a double quote (0x22) becomes a backslash and a double quote;
//   - a code page 932 lead byte (text::IsLeadByte) and the byte after it
//     are one character and are copied as they are, so the trail byte 0x5C of
//     a character such as 0x95 0x5C is not doubled; a lead byte that is the
//     last byte of the text is copied alone;
//   - every other byte is copied as it is.
//
// StandInQuote is how the stand-in's journal writes a text argument or
// result: `null` for a null pointer, otherwise the text between double quotes:
//   - a lead byte followed by a trail byte (0x40-0x7E or 0x80-0xFC) is copied
//     as its two bytes;
//   - a double quote becomes \" and a backslash becomes \\;
//   - the control bytes 0x00-0x1F and 0x7F become \xNN (two upper-case hex
//     digits), so a journal line never holds a line break;
//   - every other byte, a lead byte without a trail byte among them, is copied
//     as it is.
// For text of valid code page 932 without control bytes the two agree: the
// journal form of a text is '"' + StandInEscape(text) + '"'.
#pragma once
#include <string>

namespace zms {

std::string StandInEscape(const std::string& text);

// `text` may be null.
std::string StandInQuote(const char* text);
std::string StandInQuote(const std::string& text);

}  // namespace zms
