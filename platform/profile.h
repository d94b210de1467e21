// Private profile (INI) files: the calls the profile store relies on.
// Win32: GetPrivateProfileStringA / WritePrivateProfileStringA, a key at a
// time (the section forms are documented with smaller limits, and keys were
// seen missing from a long section's read).
// POSIX: our own INI code with the same observable behaviour.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zms::platform {

// The writes of all processes take turns, so that two hosts with the plug-in
// loaded never lose each other's writes. A write waits for its turn, but never
// long: a hung holder must not hang the mail program. A read takes no turn: one
// read is whole by itself.
//
// A WaitBudget is what the profile writes of one piece of the plug-in's work
// (one search) may still wait, all together (the time a person spends in the
// dialog does not count, only the waiting). Once it is spent, the rest of the
// work tries for its turn without waiting and goes on without it.
inline constexpr std::chrono::milliseconds kProfileWaitBudget{5000};

class WaitBudget {
public:
    explicit WaitBudget(std::chrono::milliseconds total = kProfileWaitBudget) : left_(total) {}
    std::chrono::milliseconds Left() const { return std::chrono::ceil<std::chrono::milliseconds>(left_); }
    void Spend(std::chrono::steady_clock::duration spent) {
        left_ = spent < left_ ? left_ - spent : std::chrono::steady_clock::duration::zero();
    }

private:
    std::chrono::steady_clock::duration left_;
};

// The bytes a read drops at both ends of section names, keys and values, in
// the file and in the names asked for: C's white space and 0x1A, the old DOS
// end-of-file mark (as the Win32 read does, seen under wine). A value that
// begins or ends with one needs protecting to read back as written.
constexpr bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

// `s` without the blanks at its ends.
constexpr std::string_view TrimProfileBlanks(std::string_view s) {
    while (!s.empty() && IsProfileBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileBlank(s.back())) s.remove_suffix(1);
    return s;
}

// `s` without one pair of enclosing quotes, single or double, which a read
// of a value takes off after its blanks.
constexpr std::string_view WithoutEnclosingQuotes(std::string_view s) {
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

// Copies the value of [section] key (or `def` when missing, with its trailing
// spaces removed; null `def` means "") into `buf` of `size` bytes,
// NUL-terminated. One pair of enclosing quotes (single or double) is removed.
// Returns the number of bytes copied without the NUL; a value cut short to fit
// returns size - 1. Section and key names match without regard to ASCII case;
// blanks around names and values do not count. Callers always pass a section
// and a key (the Win32 call's listing of names for a null one is not part of
// this interface).
uint32_t ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                           uint32_t size, const char* path);

// Stores `value` under [section] key, creating file and section as needed.
// Null `value` removes the key, null `key` removes the section.
// Returns nonzero on success. The bytes are written as they are: a CR or LF
// would start lines of its own (the profile store refuses such texts). The
// wait for the turn is charged to `budget`; a write on its own may wait the
// whole default budget.
int WriteProfileString(const char* section, const char* key, const char* value, const char* path,
                       WaitBudget& budget);
inline int WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
    WaitBudget alone;
    return WriteProfileString(section, key, value, path, alone);
}


// A section's entries in one call: "key=value" each (a line without "=" as
// its key alone), names and values without the blanks around them, the
// values' quotes kept; none for a missing section or file. Nothing when the
// entries take kMaxSectionRead characters or more (all the section read is
// documented for, and keys were seen missing from longer ones): a caller
// then reads a key at a time.
inline constexpr std::size_t kMaxSectionRead = 32767;
std::optional<std::vector<std::string>> ReadProfileSection(const char* section, const char* path);

}  // namespace zms::platform
