// Private profile (INI) files: the two calls the profile store relies on.
// Win32: GetPrivateProfileStringA / WritePrivateProfileStringA.
// POSIX: our own INI code with the same observable behaviour.
#pragma once
#include <cstdint>

namespace zms::platform {

// Copies the value of [section] key (or `def` when missing; null `def` means
// "") into `buf` of `size` bytes, NUL-terminated. One pair of enclosing quotes
// (single or double) is removed. Returns the number of bytes copied without the
// NUL; a value cut short to fit returns size - 1.
// Section and key names match without regard to ASCII case; spaces around
// names and values do not count. Callers always pass a section and a key (the
// Win32 call's listing of names for a null one is not part of this interface).
uint32_t ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                           uint32_t size, const char* path);

// Stores `value` under [section] key, creating file and section as needed.
// Null `value` removes the key, null `key` removes the section.
// Returns nonzero on success. A section, key or value holding a CR or LF byte
// is refused (returns 0): it would add lines of its own to the file.
int WriteProfileString(const char* section, const char* key, const char* value, const char* path);

}  // namespace zms::platform
