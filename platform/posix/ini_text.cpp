#include "platform/posix/ini_text.h"

#include <cstring>
#include <optional>

#include "text/cp932.h"
#include "platform/profile.h"

namespace zms::platform {
namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// A name passed to a call loses only its spaces at both ends: a tab, CR, LF
// or vertical tab stays part of it (so it never names what the file holds
// with that blank taken off), as on Windows; wine takes every blank off.
std::string_view CallName(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return name;
}

// A line whose first non-blank byte is ';': never a key, never removed by a
// key's removal, kept by its section's removal.
bool IsComment(std::string_view line) {
    const std::string_view t = TrimProfileBlanks(line);
    return !t.empty() && t.front() == ';';
}

// The name of a header line, one that begins with '[': up to the first ']'
// (a double-byte character's second byte is none), or to the line's end
// without one. So "[a]b]" names "a", "[a" names "a", "[]" the section "", and
// text after the bracket is ignored.
std::optional<std::string_view> HeaderName(std::string_view line) {
    const std::string_view t = TrimProfileBlanks(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    size_t close = 1;
    while (close < t.size() && t[close] != ']') close += text::CharLength(t, close);
    return TrimProfileBlanks(t.substr(1, close - 1));
}

// A "key=value" line; a line without '=' is a key without a value, which
// reads as missing. Blank lines and comments are no entry at all.
struct Entry {
    std::string_view key;
    std::optional<std::string_view> value;
};

std::optional<Entry> ParseEntry(std::string_view line) {
    const std::string_view t = TrimProfileBlanks(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return Entry{t, std::nullopt};
    return Entry{TrimProfileBlanks(t.substr(0, eq)), TrimProfileBlanks(t.substr(eq + 1))};
}

// The lines of one section: its header and its body, lines [begin, end). The
// lines before the first header belong to no section.
struct Section {
    size_t header;
    size_t begin;
    size_t end;
};

// The first section of that name.
std::optional<Section> FindSection(const IniText& ini, std::string_view name) {
    name = CallName(name);
    for (size_t i = 0; i < ini.lines.size(); ++i) {
        const auto found = HeaderName(ini.lines[i].text);
        if (!found || !text::SameName(*found, name)) continue;
        size_t end = i + 1;
        while (end < ini.lines.size() && !HeaderName(ini.lines[end].text)) ++end;
        return Section{i, i + 1, end};
    }
    return std::nullopt;
}

// The line of the first such key in the section, or kNone.
size_t FindKey(const IniText& ini, std::string_view section, std::string_view key) {
    const auto found = FindSection(ini, section);
    if (!found) return kNone;
    for (size_t i = found->begin; i < found->end; ++i) {
        const auto entry = ParseEntry(ini.lines[i].text);
        if (entry && text::SameName(entry->key, CallName(key))) return i;
    }
    return kNone;
}

void InsertLine(IniText& ini, size_t at, std::string text) {
    if (at > 0 && ini.lines[at - 1].end.empty()) ini.lines[at - 1].end = ini.newline;
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at),
                     IniLine{std::move(text), ini.newline});
}

bool EraseLines(IniText& ini, size_t first, size_t end) {
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(first),
                    ini.lines.begin() + static_cast<std::ptrdiff_t>(end));
    return first < end;
}

}  // namespace

IniText ParseIni(std::string_view bytes) {
    IniText ini;
    while (!bytes.empty()) {
        const size_t nl = bytes.find('\n');
        IniLine line{std::string(bytes.substr(0, nl)), ""};
        if (nl != std::string_view::npos) {
            const bool crlf = !line.text.empty() && line.text.back() == '\r';
            if (crlf) line.text.pop_back();
            line.end = crlf ? "\r\n" : "\n";
        }
        if (ini.lines.empty() && !line.end.empty()) ini.newline = line.end;
        ini.lines.push_back(std::move(line));
        bytes.remove_prefix(nl == std::string_view::npos ? bytes.size() : nl + 1);
    }
    return ini;
}

// A last line without its line end gets one, as Windows writes every line.
std::string IniBytes(const IniText& ini) {
    std::string bytes;
    for (const IniLine& line : ini.lines) bytes += line.text + line.end;
    if (!ini.lines.empty() && ini.lines.back().end.empty()) bytes += ini.newline;
    return bytes;
}

std::string ReadIniValue(const IniText& ini, std::string_view section, std::string_view key,
                         const char* def) {
    const size_t at = FindKey(ini, section, key);
    std::optional<std::string_view> value;
    if (at != kNone) value = ParseEntry(ini.lines[at].text)->value;
    if (!value) {
        value = def != nullptr ? def : "";
        while (!value->empty() && value->back() == ' ') value->remove_suffix(1);
    }
    std::string text(*value);
    text.resize(std::strlen(text.c_str()));  // a NUL byte in the file ends the value
    text = std::string(WithoutEnclosingQuotes(text));
    // Windows counts a value's length in 16 bits: one of 65,536 bytes or more
    // comes back cut to its length modulo 65,536, without an error.
    text.resize(text.size() % 65536);
    return text;
}

bool SetIniKey(IniText& ini, std::string_view section, std::string_view key,
               std::string_view value) {
    const std::string assigned = "=" + std::string(value);  // as given, blanks and all
    const size_t at = FindKey(ini, section, key);
    if (at != kNone) {
        // The key keeps the spelling it has in the file.
        const std::string line = std::string(ParseEntry(ini.lines[at].text)->key) + assigned;
        if (ini.lines[at].text == line) return false;
        ini.lines[at].text = line;
        return true;
    }
    const auto found = FindSection(ini, section);
    if (!found) {
        InsertLine(ini, ini.lines.size(), "[" + std::string(CallName(section)) + "]");
        InsertLine(ini, ini.lines.size(), std::string(CallName(key)) + assigned);
        return true;
    }
    // After the section's last non-blank line, so that blank lines before the
    // next header stay there.
    size_t after = found->begin;
    for (size_t i = found->begin; i < found->end; ++i) {
        if (!TrimProfileBlanks(ini.lines[i].text).empty()) after = i + 1;
    }
    InsertLine(ini, after, std::string(CallName(key)) + assigned);
    return true;
}

bool RemoveIniKey(IniText& ini, std::string_view section, std::string_view key) {
    const size_t at = FindKey(ini, section, key);
    return at != kNone && EraseLines(ini, at, at + 1);
}

bool RemoveIniSection(IniText& ini, std::string_view section) {
    const auto found = FindSection(ini, section);
    if (!found) return false;
    size_t kept = found->header;  // its comment lines stay
    for (size_t i = found->header; i < found->end; ++i)
        if (IsComment(ini.lines[i].text)) ini.lines[kept++] = std::move(ini.lines[i]);
    EraseLines(ini, kept, found->end);
    return true;
}

std::vector<std::string> IniSectionEntries(const IniText& ini, std::string_view section) {
    std::vector<std::string> entries;
    const auto found = FindSection(ini, section);
    for (size_t i = found ? found->begin : 0; found && i < found->end; ++i) {
        const auto entry = ParseEntry(ini.lines[i].text);
        if (entry) entries.push_back(std::string(entry->key) + (entry->value ? "=" : "") +
                                     std::string(entry->value.value_or("")));
    }
    return entries;
}

}  // namespace zms::platform
