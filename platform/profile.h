// Private profile (INI) files: the calls the profile store relies on.
// Win32: GetPrivateProfileStringA / WritePrivateProfileStringA and their
// section forms.
// POSIX: our own INI code with the same observable behaviour.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zms::platform {

// The profile calls of all processes take turns, so that two hosts with the
// plug-in loaded never lose each other's writes. A call waits for its turn,
// but never long: a hung holder must not hang the mail program.
//
// A ProfileOperation is one piece of the plug-in's work (its load, one
// search): all the profile calls made while it exists wait at most `budget`
// in all (the time a person spends in the dialog does not count, only the
// waiting). Once that is spent, the rest of the operation tries for its turn
// without waiting and goes on without it. A call outside any operation may
// wait the whole default budget. Operations may nest; the outermost counts.
inline constexpr std::chrono::milliseconds kProfileWaitBudget{5000};

class ProfileOperation {
public:
    explicit ProfileOperation(std::chrono::milliseconds budget = kProfileWaitBudget);
    ~ProfileOperation();
    ProfileOperation(const ProfileOperation&) = delete;
    ProfileOperation& operator=(const ProfileOperation&) = delete;
};

// One wait of a profile call for its turn: how long it may last, charged to
// the operation when it ends.
class ProfileWait {
public:
    ProfileWait();
    ~ProfileWait();
    ProfileWait(const ProfileWait&) = delete;
    ProfileWait& operator=(const ProfileWait&) = delete;
    std::chrono::milliseconds Left() const { return left_; }

private:
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds left_;
};

// The bytes a read drops at both ends of section names, keys and values, in
// the file and in the names asked for: C's white space and 0x1A, the old DOS
// end-of-file mark (as the Win32 read does, seen under wine). A value that
// begins or ends with one needs protecting to read back as written.
constexpr bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
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
// would start lines of its own (the profile store refuses such texts).
int WriteProfileString(const char* section, const char* key, const char* value, const char* path);

// A whole section in one call: its entries, "key=value" each (a line without
// "=" as its key alone), names and values without the blanks around them and
// the values' quotes kept; none for a missing section or file. And the
// section's entries replaced by `entries`, the section added when missing;
// nonzero on success. One call reads or rewrites the file once, where a key
// at a time would do it once a key.
std::vector<std::string> ReadProfileSection(const char* section, const char* path);
int WriteProfileSection(const char* section, const std::vector<std::string>& entries,
                        const char* path);

}  // namespace zms::platform
