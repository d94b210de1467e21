// The one reader and writer of the plug-in's profile file.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zms {

class ProfileStore {
public:
    explicit ProfileStore(const char* path);

    // The value (or `def`, "" when null) in a malloc'ed buffer the caller frees;
    // null when `section` is null or memory runs out.
    char* ReadString(const char* section, const char* key, const char* def) const;
    // ReadString's value as an owning string; nothing where ReadString gives null.
    std::optional<std::string> ReadText(const char* section, const char* key,
                                        const char* def = nullptr) const;

    // Writes `value` (null removes the key; null key removes the section). A value
    // enclosed in double quotes is written with one more pair so that it reads back
    // as written. A section, key or value holding CR or LF is refused (returns 0).
    // Returns the platform write's result.
    int WriteString(const char* section, const char* key, const char* value) const;

    // A whole section in one read and one write of the file (a key at a time
    // reads or rewrites it once a key): its entries, "key=value" each, the
    // values as in the file, protecting quotes kept. WriteSection puts
    // `entries` in place of the section's; an entry holding CR or LF is
    // refused as WriteString refuses it.
    std::vector<std::string> ReadSection(const char* section) const;
    int WriteSection(const char* section, const std::vector<std::string>& entries) const;
    // Whether `entry` is one of `key` (its case aside); the value of the first
    // such entry as ReadText reads it, nothing without one; and the entry
    // WriteString would leave.
    static bool IsEntryOf(const std::string& entry, const std::string& key);
    static std::optional<std::string> ValueIn(const std::vector<std::string>& entries,
                                              const std::string& key);
    static std::string EntryFor(const std::string& key, const std::string& value);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The process-wide store: created at attach, deleted at detach; null outside.
extern ProfileStore* g_profileStore;

// An option of the profile file, read anew through the process-wide store: on
// only when its value is exactly "1" (the whole value, byte for byte).
bool ProfileOptionOn(const char* section, const char* key);

}  // namespace zms
