// The one reader and writer of the plug-in's profile file.
#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace zms {

// Windows reads a value of 65,536 bytes or more back wrapped (its length
// modulo 65,536) and reports no error: a read never asks for more than
// kMaxReadBytes, and a longer value counts as unreadable. Nothing the plug-in
// writes comes near it: a line of kMaxLineBytes or more is never written.
inline constexpr unsigned kMaxReadBytes = 65536;
inline constexpr std::size_t kMaxLineBytes = 32768;

class ProfileStore {
public:
    explicit ProfileStore(const char* path);

    // The value (or `def`, "" when null) in a malloc'ed buffer the caller frees;
    // null when `section` is null, memory runs out, or the value is longer than
    // a read can tell (kMaxReadBytes).
    char* ReadString(const char* section, const char* key, const char* def) const;
    // ReadString's value as an owning string; nothing where ReadString gives null.
    std::optional<std::string> ReadText(const char* section, const char* key,
                                        const char* def = nullptr) const;

    // Writes `value` (null removes the key; null key removes the section). A value
    // enclosed in double quotes is written with one more pair so that it reads back
    // as written. A section, key or value holding CR or LF is refused (returns 0),
    // and so is a line of kMaxLineBytes or more. Returns the platform write's result.
    int WriteString(const char* section, const char* key, const char* value) const;

    // The section's entries in one read of the file (a key at a time reads it
    // once a key), "key=value" each, the values as in the file; nothing when
    // the section is too long to read whole. And the value of `key` among
    // them as ReadText reads it ("" when missing).
    std::optional<std::vector<std::string>> ReadSection(const char* section) const;
    static std::string ValueIn(const std::vector<std::string>& entries, const std::string& key);

    // Whether WriteString takes `value` for `key`: no line break in either, and
    // the line "key=value" (protecting quotes included) under kMaxLineBytes.
    static bool Storable(const char* key, const char* value);

    const std::string& Path() const { return path_; }

    // The writes from now on may wait `budget` in all for their turn
    // (platform::WaitBudget): one search's work.
    void StartWork(std::chrono::milliseconds budget = platform::kProfileWaitBudget) {
        budget_ = platform::WaitBudget(budget);
    }

private:
    std::string path_;
    mutable platform::WaitBudget budget_;
};

}  // namespace zms
