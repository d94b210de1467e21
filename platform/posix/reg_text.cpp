#include "platform/posix/reg_text.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "text/cp932.h"
#include "platform/registry.h"

namespace zms::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// A number of 1 to `maxDigits` hex digits making up all of `s`.
std::optional<uint32_t> ParseHex(std::string_view s, size_t maxDigits) {
    uint32_t n = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), n, 16);
    if (s.empty() || s.size() > maxDigits || error != std::errc() || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return n;
}

// A quoted text starting at s[pos] == '"', with \\ and \" unescaped; on
// success `pos` is just after the closing quote.
std::optional<std::string> ParseQuoted(std::string_view s, size_t& pos) {
    if (!StartsWith(s.substr(pos), "\"")) return std::nullopt;
    std::string out;
    for (size_t i = pos + 1; i < s.size(); i += text::CharLength(s, i)) {
        if (s[i] == '"') {
            pos = i + 1;
            return out;
        }
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
        out += s.substr(i, text::CharLength(s, i));
    }
    return std::nullopt;
}

// "aa,bb, cc": blanks around each byte; an empty list holds no bytes.
std::optional<std::string> ParseHexBytes(std::string_view list) {
    std::string out;
    if (Trim(list).empty()) return out;
    for (size_t start = 0;;) {
        const size_t comma = list.find(',', start);  // npos: the item runs to the end
        const std::optional<uint32_t> byte = ParseHex(Trim(list.substr(start, comma - start)), 2);
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
        if (comma == std::string_view::npos) return out;
        start = comma + 1;
    }
}

// The data after a value line's '=': "text", dword:n, hex:bytes, hex(type):bytes.
std::optional<RegValue> ParseData(std::string_view data) {
    data = Trim(data);
    if (StartsWith(data, "\"")) {
        size_t pos = 0;
        const std::optional<std::string> text = ParseQuoted(data, pos);
        if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
        return RegValue{kRegString, *text + '\0'};
    }
    if (StartsWith(data, "dword:")) {
        const std::optional<uint32_t> n = ParseHex(data.substr(6), 8);
        if (!n) return std::nullopt;
        const char bytes[] = {static_cast<char>(*n), static_cast<char>(*n >> 8),
                              static_cast<char>(*n >> 16), static_cast<char>(*n >> 24)};
        return RegValue{kRegDword, std::string(bytes, sizeof bytes)};  // little-endian
    }
    std::optional<uint32_t> type = kRegBinary;
    if (StartsWith(data, "hex(") && data.find(')') != std::string_view::npos) {
        type = ParseHex(data.substr(4, data.find(')') - 4), 8);
        data.remove_prefix(data.find(')') + 1);
    } else if (StartsWith(data, "hex")) {
        data.remove_prefix(3);
    } else {
        return std::nullopt;
    }
    const std::optional<std::string> bytes =
        StartsWith(data, ":") ? ParseHexBytes(data.substr(1)) : std::nullopt;
    if (!type || !bytes) return std::nullopt;
    return RegValue{*type, *bytes};
}

// "name"=data or @=data; on success `name` is the folded name.
std::optional<RegValue> ParseValueLine(std::string_view line, std::string& name) {
    size_t pos = line.front() == '@' ? 1 : 0;
    const std::optional<std::string> quoted = pos == 1 ? std::string() : ParseQuoted(line, pos);
    if (!quoted) return std::nullopt;
    name = text::FoldAsciiCase(*quoted);
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != '=') return std::nullopt;
    return ParseData(line.substr(pos + 1));
}

// The line of `text` at `pos`, trimmed; `pos` moves past it.
std::string_view NextLine(std::string_view text, size_t& pos) {
    const size_t end = std::min(text.find('\n', pos), text.size());
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    return line;
}

}  // namespace

RegKeys ParseRegText(std::string_view text) {
    RegKeys keys;
    if (StartsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
    size_t pos = 0;
    std::string_view header;
    while (header.empty() && pos < text.size()) header = NextLine(text, pos);
    if (header != "Windows Registry Editor Version 5.00" && header != "REGEDIT4") return keys;

    RegValues* section = nullptr;  // none before the first section, or after a broken one
    while (pos < text.size()) {
        std::string line(NextLine(text, pos));
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const bool closed = line.back() == ']';
            section = closed ? &keys[text::FoldAsciiCase(line.substr(1, line.size() - 2))] : nullptr;
            continue;
        }
        // A value line ending in a backslash goes on with the next line.
        while (!line.empty() && line.back() == '\\' && pos < text.size()) {
            line.pop_back();
            line += NextLine(text, pos);
        }
        std::string name;
        std::optional<RegValue> value = ParseValueLine(line, name);
        if (section != nullptr && value) (*section)[name] = std::move(*value);
    }
    return keys;
}

bool RegKeyExists(const RegKeys& keys, const std::string& path) {
    if (keys.count(path) != 0) return true;
    const std::string below = path + '\\';
    const auto it = keys.lower_bound(below);
    return it != keys.end() && StartsWith(it->first, below);
}

}  // namespace zms::platform
