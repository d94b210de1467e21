#include "settings/profile_store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/cp932.h"
#include "platform/profile.h"

namespace zms {

ProfileStore* g_profileStore = nullptr;

bool ProfileOptionOn(const char* section, const char* key) {
    if (!g_profileStore) return false;
    return g_profileStore->ReadText(section, key) == "1";
}

ProfileStore::ProfileStore(const char* path) : path_(path != nullptr ? path : "") {}

char* ProfileStore::ReadString(const char* section, const char* key, const char* def) const {
    if (section == nullptr) return nullptr;
    uint32_t size = 256;
    char* buf = static_cast<char*>(std::malloc(size));
    for (;;) {
        if (buf == nullptr) return nullptr;
        const uint32_t n = platform::ReadProfileString(section, key, def, buf, size, path_.c_str());
        // A cut value comes back as size - 1 characters. The margin of one more
        // also covers a read that loses a character at the cut: wine returns a
        // quoted value whose text fills the buffer exactly one character short.
        if (n < size - 2) return buf;
        if (size > UINT32_MAX / 2) {  // no larger size to try
            std::free(buf);
            return nullptr;
        }
        size *= 2;
        char* grown = static_cast<char*>(std::realloc(buf, size));
        if (grown == nullptr) std::free(buf);
        buf = grown;
    }
}

std::optional<std::string> ProfileStore::ReadText(const char* section, const char* key,
                                                  const char* def) const {
    const std::unique_ptr<char, decltype(&std::free)> value(ReadString(section, key, def), &std::free);
    if (value == nullptr) return std::nullopt;
    return std::string(value.get());
}

namespace {

bool HasLineBreak(const char* s) { return s != nullptr && std::strpbrk(s, "\r\n") != nullptr; }

// Whether the read would give back something else than `value`: it takes
// white space off the ends and one pair of enclosing quotes (single or double).
bool NeedsProtection(const char* value, size_t len) {
    if (len == 0) return false;
    const char first = value[0], last = value[len - 1];
    if (platform::IsProfileBlank(first) || platform::IsProfileBlank(last)) return true;
    return len >= 2 && first == last && (first == '"' || first == '\'');
}

std::string Trimmed(std::string s) {
    while (!s.empty() && platform::IsProfileBlank(s.back())) s.pop_back();
    std::size_t front = 0;
    while (front < s.size() && platform::IsProfileBlank(s[front])) ++front;
    return s.substr(front);
}

// The text written for `value` so that the read gives it back: with one more
// pair of quotes where the read would take some off.
std::string Protected(const std::string& value) {
    return NeedsProtection(value.c_str(), value.size()) ? '"' + value + '"' : value;
}

}  // namespace

int ProfileStore::WriteString(const char* section, const char* key, const char* value) const {
    // WritePrivateProfileStringA copies CR and LF bytes into the file as they
    // are, so such a text would add lines, even whole sections, of its own.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return 0;
    const size_t len = value != nullptr ? std::strlen(value) : 0;
    if (!NeedsProtection(value, len)) {
        return platform::WriteProfileString(section, key, value, path_.c_str());
    }
    // In a buffer of the runtime's own: without memory the write is refused.
    char* quoted = static_cast<char*>(std::malloc(len + 3));
    if (quoted == nullptr) return 0;
    quoted[0] = '"';
    std::memcpy(quoted + 1, value, len);
    quoted[len + 1] = '"';
    quoted[len + 2] = '\0';
    const int result = platform::WriteProfileString(section, key, quoted, path_.c_str());
    std::free(quoted);
    return result;
}

std::vector<std::string> ProfileStore::ReadSection(const char* section) const {
    return platform::ReadProfileSection(section, path_.c_str());
}

int ProfileStore::WriteSection(const char* section, const std::vector<std::string>& entries) const {
    if (HasLineBreak(section)) return 0;
    for (const std::string& entry : entries)
        if (HasLineBreak(entry.c_str())) return 0;
    return platform::WriteProfileSection(section, entries, path_.c_str());
}

bool ProfileStore::IsEntryOf(const std::string& entry, const std::string& key) {
    return platform::FoldAsciiCase(Trimmed(entry.substr(0, entry.find('=')))) ==
           platform::FoldAsciiCase(key);
}

std::optional<std::string> ProfileStore::ValueIn(const std::vector<std::string>& entries,
                                                 const std::string& key) {
    for (const std::string& entry : entries) {
        if (!IsEntryOf(entry, key)) continue;
        // A key without "=" reads as missing, as the key read gives it.
        const std::size_t eq = entry.find('=');
        if (eq == std::string::npos) return std::nullopt;
        std::string value = Trimmed(entry.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::string ProfileStore::EntryFor(const std::string& key, const std::string& value) {
    return key + "=" + Protected(value);
}

}  // namespace zms
