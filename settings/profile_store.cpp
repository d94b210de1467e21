#include "settings/profile_store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "text/cp932.h"
#include "platform/profile.h"

namespace zms {

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
        if (size >= kMaxReadBytes) {  // longer than a read can tell
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
// the blanks off the ends and one pair of enclosing quotes.
bool NeedsProtection(const char* value, size_t len) {
    const std::string_view v(value, len);
    return platform::TrimProfileBlanks(v) != v || platform::WithoutEnclosingQuotes(v) != v;
}

}  // namespace

int ProfileStore::WriteString(const char* section, const char* key, const char* value) const {
    // WritePrivateProfileStringA copies CR and LF bytes into the file as they
    // are, so such a text would add lines, even whole sections, of its own.
    if (HasLineBreak(section) || !Storable(key, value)) return 0;
    const size_t len = value != nullptr ? std::strlen(value) : 0;
    if (!NeedsProtection(value, len)) {
        return platform::WriteProfileString(section, key, value, path_.c_str(), budget_);
    }
    // In a buffer of the runtime's own: without memory the write is refused.
    char* quoted = static_cast<char*>(std::malloc(len + 3));
    if (quoted == nullptr) return 0;
    quoted[0] = '"';
    std::memcpy(quoted + 1, value, len);
    quoted[len + 1] = '"';
    quoted[len + 2] = '\0';
    const int result = platform::WriteProfileString(section, key, quoted, path_.c_str(), budget_);
    std::free(quoted);
    return result;
}

bool ProfileStore::Storable(const char* key, const char* value) {
    if (HasLineBreak(key) || HasLineBreak(value)) return false;
    if (key == nullptr || value == nullptr) return true;
    const size_t len = std::strlen(value);
    const size_t quotes = NeedsProtection(value, len) ? 2 : 0;
    return std::strlen(key) + 1 + len + quotes < kMaxLineBytes;
}

std::optional<std::vector<std::string>> ProfileStore::ReadSection(const char* section) const {
    return platform::ReadProfileSection(section, path_.c_str());
}

std::string ProfileStore::ValueIn(const std::vector<std::string>& entries, const std::string& key) {
    for (const std::string& entry : entries) {
        const std::size_t eq = entry.find('=');
        const std::string_view name = platform::TrimProfileBlanks(std::string_view(entry).substr(0, eq));
        if (!text::SameName(name, key)) continue;
        // The first entry of the key counts; one without "=" reads as missing.
        if (eq == std::string::npos) return "";
        const std::string_view value = std::string_view(entry).substr(eq + 1);
        return std::string(platform::WithoutEnclosingQuotes(platform::TrimProfileBlanks(value)));
    }
    return "";
}

}  // namespace zms
