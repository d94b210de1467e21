// Text is code page 932 bytes: pure functions over it, below every layer
// that looks at bytes (platform/, query/ and the tools). A lead byte and the byte after it are one
// double-byte character, whose second byte can equal an ASCII letter, '\\'
// (0x5C) or ']' (0x5D) without being one: code that looks for such bytes
// steps over whole characters.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace zms::text {

constexpr bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The length of the character at s[i]: 2 for a lead byte with a byte after it.
constexpr std::size_t CharLength(std::string_view s, std::size_t i) {
    return IsLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
}

// The most bytes of `s`, up to `limit`, that end at the end of a character.
constexpr std::size_t CharactersWithin(std::string_view s, std::size_t limit) {
    if (s.size() <= limit) return s.size();
    std::size_t end = 0;
    while (end + CharLength(s, end) <= limit) end += CharLength(s, end);
    return end;
}

// A name in the form in which names that differ only in the case of ASCII
// letters are equal: those letters in upper case, double-byte characters as
// they are.
inline std::string FoldAsciiCase(std::string_view name) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

// Whether two names are the same without regard to the case of ASCII letters.
inline bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldAsciiCase(a) == FoldAsciiCase(b);
}

}  // namespace zms::text
