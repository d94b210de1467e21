// The registry without Win32: read from the file that the environment variable
// ZMS_REGISTRY names, looked up again at every open and every query, so a test
// can point it at a new file at any time. With the variable unset, or the file
// missing or not in the format below, the registry is empty: the nine root keys
// exist and have no values, and opening any key below them fails with
// kErrorFileNotFound.
//
// The file is a registry export in the Windows .reg text format (this subset):
//
//   Windows Registry Editor Version 5.00        <- first line; "REGEDIT4" also
//                                                  accepted (a UTF-8 BOM before
//                                                  it is skipped)
//   ; a comment line
//   [HKEY_CURRENT_USER\Software\Orlemco\Zentoro\Env]
//   "MacroPath"="C:\\Macros\\"                  <- REG_SZ
//   @="the key's default value"
//   "Count"=dword:0000000a                      <- REG_DWORD, 1 to 8 hex digits
//   "Blob"=hex:01,02,ff                         <- REG_BINARY
//   "Raw"=hex(3):61,62,63                       <- type 3 (here REG_BINARY),
//   "List"=hex(7):61,00,62,00,00,00,\              bytes as listed; the type is
//     63,00                                        hex, e.g. hex(b) for 11
//
// - Sections name a key by its full path: one of the nine root names spelled
//   out (HKEY_CLASSES_ROOT ... HKEY_PERFORMANCE_NLSTEXT) and its sub-keys,
//   separated by single backslashes. A section makes its key and every key
//   above it exist. Sections may repeat; their values add up, and a value
//   given twice keeps the later data. A section with another root, or with an
//   empty component, is skipped together with its values.
// - A quoted string is stored as its bytes followed by one NUL, as Windows
//   stores a REG_SZ value. In names and strings \\ stands for one backslash
//   and \" for a quote; any other backslash is kept as it is.
// - hex lists may continue on the next lines: a line that ends with a
//   backslash goes on with the next one, whose leading blanks do not count.
//   An empty list ("hex:") stores no bytes.
// - Lines that are blank, start with ';', or cannot be read as above are
//   skipped. Deletions ("[-key]", "name"=-) are not part of this subset.
// - The file holds code page 932 bytes and is never converted (a UTF-16 file
//   is not read). The second byte of a double-byte character is never taken
//   for a backslash, a quote or a letter.
// - Key and value names match without regard to the case of ASCII letters.
//   (Windows also folds other letters, such as the full-width ones; that is
//   not done here.)
// - OpenRegKey finds no sub-key with an empty component (one trailing
//   backslash aside); an empty sub-key gives a new handle to the parent. The
//   roots' handles are never freed, so closing one does nothing.
#include "platform/registry.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zms::platform {
namespace {

constexpr const char* kRootNames[kRegRootCount] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
    "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
    "HKEY_DYN_DATA",     "HKEY_PERFORMANCE_TEXT", "HKEY_PERFORMANCE_NLSTEXT",
};

thread_local uint32_t t_lastError = kErrorSuccess;

// ---- Code page 932 text -------------------------------------------------------

bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The name with ASCII letters in upper case: the form names are compared in.
std::string FoldCase(std::string_view name) {
    std::string out(name);
    for (size_t i = 0; i < out.size(); ++i) {
        if (IsLeadByte(out[i])) {
            ++i;  // the second byte stays as it is
        } else if (out[i] >= 'a' && out[i] <= 'z') {
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
        }
    }
    return out;
}

// Splits a key path at its backslashes; empty components are kept.
std::vector<std::string_view> SplitKeyPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i])) {
            ++i;
        } else if (path[i] == '\\') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(path.substr(start));
    return parts;
}

// ---- The registry file -------------------------------------------------------

struct Value {
    uint32_t type;
    std::string data;
};

// Keys by their full path, values by their name, both in folded form.
using Values = std::map<std::string, Value>;
using Registry = std::map<std::string, Values>;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A number of 1 to `maxDigits` hex digits making up all of `s`.
std::optional<uint32_t> ParseHexNumber(std::string_view s, size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    uint32_t n = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        n = n * 16 + static_cast<uint32_t>(d);
    }
    return n;
}

// The folded full path of a section header's key, or nothing for a section
// that is skipped.
std::optional<std::string> SectionKeyPath(std::string_view header) {
    const std::vector<std::string_view> parts = SplitKeyPath(header);
    bool knownRoot = false;
    for (const char* root : kRootNames) knownRoot = knownRoot || FoldCase(parts[0]) == root;
    if (!knownRoot) return std::nullopt;
    for (std::string_view part : parts) {
        if (part.empty()) return std::nullopt;
    }
    return FoldCase(header);
}

// Reads a quoted text starting at s[pos] == '"', unescaping \\ and \". On
// success `pos` is just after the closing quote.
std::optional<std::string> ParseQuoted(std::string_view s, size_t& pos) {
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    std::string out;
    for (size_t i = pos + 1; i < s.size(); ++i) {
        const char c = s[i];
        if (IsLeadByte(c) && i + 1 < s.size()) {
            out += c;
            out += s[++i];
        } else if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[++i];
        } else if (c == '"') {
            pos = i + 1;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

// "aa,bb, cc" (blanks allowed around each byte; empty gives no bytes).
std::optional<std::string> ParseHexBytes(std::string_view list) {
    std::string out;
    list = Trim(list);
    if (list.empty()) return out;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        const std::string_view item =
            Trim(list.substr(start, comma == std::string_view::npos ? list.npos : comma - start));
        const std::optional<uint32_t> byte = ParseHexNumber(item, 2);
        if (!byte) return std::nullopt;
        out += static_cast<char>(*byte);
        if (comma == std::string_view::npos) return out;
        start = comma + 1;
    }
}

// The data part of a value line: after the '=' up to the end of the line.
std::optional<Value> ParseData(std::string_view data) {
    data = Trim(data);
    if (!data.empty() && data.front() == '"') {
        size_t pos = 0;
        const std::optional<std::string> text = ParseQuoted(data, pos);
        if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
        return Value{kRegString, *text + '\0'};
    }
    if (StartsWith(data, "dword:")) {
        const std::optional<uint32_t> n = ParseHexNumber(data.substr(6), 8);
        if (!n) return std::nullopt;
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((*n >> shift) & 0xFF);
        return Value{kRegDword, bytes};
    }
    uint32_t type = kRegBinary;
    if (StartsWith(data, "hex(")) {
        const size_t close = data.find(')');
        if (close == std::string_view::npos) return std::nullopt;
        const std::optional<uint32_t> n = ParseHexNumber(data.substr(4, close - 4), 8);
        if (!n) return std::nullopt;
        type = *n;
        data.remove_prefix(close + 1);
    } else if (StartsWith(data, "hex")) {
        data.remove_prefix(3);
    } else {
        return std::nullopt;
    }
    if (data.empty() || data.front() != ':') return std::nullopt;
    const std::optional<std::string> bytes = ParseHexBytes(data.substr(1));
    if (!bytes) return std::nullopt;
    return Value{type, *bytes};
}

// One value line: "name"=data or @=data. On success stores the folded name.
std::optional<Value> ParseValueLine(std::string_view line, std::string& name) {
    size_t pos = 0;
    if (line.front() == '@') {
        name.clear();
        pos = 1;
    } else {
        const std::optional<std::string> quoted = ParseQuoted(line, pos);
        if (!quoted) return std::nullopt;
        name = FoldCase(*quoted);
    }
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != '=') return std::nullopt;
    return ParseData(line.substr(pos + 1));
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Joins a line ending in a backslash with the lines that continue it,
// starting at lines[i]; leaves `i` at the last line used.
std::string JoinContinued(const std::vector<std::string_view>& lines, size_t& i) {
    std::string joined(Trim(lines[i]));
    while (!joined.empty() && joined.back() == '\\' && i + 1 < lines.size()) {
        joined.pop_back();
        joined += Trim(lines[++i]);
    }
    return joined;
}

Registry ParseRegistry(std::string_view text) {
    Registry registry;
    if (StartsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
    const std::vector<std::string_view> lines = SplitLines(text);
    size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty()) ++i;
    if (i == lines.size()) return registry;
    const std::string_view header = Trim(lines[i]);
    if (header != "Windows Registry Editor Version 5.00" && header != "REGEDIT4") return registry;

    Values* section = nullptr;  // null inside a skipped section
    for (++i; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            section = nullptr;
            if (line.back() != ']') continue;
            const std::optional<std::string> path = SectionKeyPath(line.substr(1, line.size() - 2));
            if (path) section = &registry[*path];
            continue;
        }
        const std::string joined = JoinContinued(lines, i);
        std::string name;
        std::optional<Value> value = ParseValueLine(joined, name);
        if (section != nullptr && value) (*section)[name] = std::move(*value);
    }
    return registry;
}

Registry LoadRegistry() {
    const char* path = std::getenv("ZMS_REGISTRY");
    if (path == nullptr) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseRegistry(text);
}

// A key exists when a section names it or a key below it; the roots always do.
bool KeyExists(const Registry& registry, const std::string& path) {
    if (SplitKeyPath(path).size() == 1 || registry.count(path) != 0) return true;
    const std::string below = path + '\\';
    const auto it = registry.lower_bound(below);
    return it != registry.end() && StartsWith(it->first, below);
}

// ---- Handles -----------------------------------------------------------------

// What a handle stands for: the folded full path of its key.
struct KeyHandle {
    std::string path;
};

// The roots' handles are these objects, which live as long as the process.
const KeyHandle* RootHandles() {
    static const KeyHandle kRoots[kRegRootCount] = {
        {kRootNames[0]}, {kRootNames[1]}, {kRootNames[2]}, {kRootNames[3]}, {kRootNames[4]},
        {kRootNames[5]}, {kRootNames[6]}, {kRootNames[7]}, {kRootNames[8]},
    };
    return kRoots;
}

bool IsRootHandle(RegKey key) {
    const KeyHandle* roots = RootHandles();
    for (int i = 0; i < kRegRootCount; ++i) {
        if (key == reinterpret_cast<RegKey>(&roots[i])) return true;
    }
    return false;
}

const KeyHandle* FromRegKey(RegKey key) { return reinterpret_cast<const KeyHandle*>(key); }

// The folded full path of `subKey` below `parent`, or nothing when `subKey`
// has an empty component (one trailing backslash is allowed).
std::optional<std::string> ChildPath(const std::string& parent, std::string_view subKey) {
    std::vector<std::string_view> parts = SplitKeyPath(subKey);
    if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    if (parts.size() == 1 && parts[0].empty()) return parent;
    std::string path = parent;
    for (std::string_view part : parts) {
        if (part.empty()) return std::nullopt;
        path += '\\';
        path += FoldCase(part);
    }
    return path;
}

uint32_t Open(RegKey parent, const char* subKey, RegKey* opened) {
    const std::optional<std::string> path =
        ChildPath(FromRegKey(parent)->path, subKey != nullptr ? subKey : "");
    if (!path || !KeyExists(LoadRegistry(), *path)) return kErrorFileNotFound;
    *opened = reinterpret_cast<RegKey>(new KeyHandle{*path});
    return kErrorSuccess;
}

uint32_t Query(RegKey key, const char* name, uint32_t* type, unsigned char* data, uint32_t* size) {
    if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
    const Registry registry = LoadRegistry();
    const std::string& path = FromRegKey(key)->path;
    const auto keyIt = registry.find(path);
    if (keyIt == registry.end()) return kErrorFileNotFound;
    const auto valueIt = keyIt->second.find(FoldCase(name != nullptr ? name : ""));
    if (valueIt == keyIt->second.end()) return kErrorFileNotFound;
    const Value& value = valueIt->second;
    const auto needed = static_cast<uint32_t>(value.data.size());
    if (type != nullptr) *type = value.type;
    if (data == nullptr) {
        if (size != nullptr) *size = needed;
        return kErrorSuccess;
    }
    if (*size < needed) {
        *size = needed;
        return kErrorMoreData;
    }
    std::memcpy(data, value.data.data(), needed);
    *size = needed;
    return kErrorSuccess;
}

}  // namespace

RegKey RegRootKey(RegRoot root) {
    return reinterpret_cast<RegKey>(&RootHandles()[static_cast<int>(root)]);
}

uint32_t OpenRegKey(RegKey parent, const char* subKey, uint32_t /*access*/, RegKey* opened) {
    if (opened == nullptr) return kErrorInvalidParameter;
    *opened = kNoRegKey;
    if (parent == kNoRegKey) return kErrorInvalidHandle;
    try {
        return Open(parent, subKey, opened);
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

uint32_t QueryRegValue(RegKey key, const char* name, uint32_t* type, unsigned char* data,
                       uint32_t* size) {
    if (key == kNoRegKey) return kErrorInvalidHandle;
    try {
        return Query(key, name, type, data, size);
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

uint32_t CloseRegKey(RegKey key) {
    if (key == kNoRegKey) return kErrorInvalidHandle;
    if (!IsRootHandle(key)) delete FromRegKey(key);
    return kErrorSuccess;
}

void SetLastErrorCode(uint32_t code) { t_lastError = code; }

uint32_t LastErrorCode() { return t_lastError; }

}  // namespace zms::platform
