// Reads one registry value named by a full path text such as
// "HKEY_CURRENT_USER\Software\Orlemco\Zentoro\Env\MacroPath": a root name (or
// its alias "USR" or "SYS"), the sub-key's components and the value name,
// separated by backslashes. Free functions without state: safe on any thread.
//
// Every failure gives a null result and sets the thread's last error
// (platform::LastErrorCode):
//   path null, longer than kRegistryPathMax, or naming no value (empty,
//   backslashes only, a root alone)                      kErrorInvalidParameter
//   root name not one of the nine roots or aliases        kErrorPathNotFound
//   key cannot be opened, value missing, data not read    the registry's code
//   no memory for the data                                kErrorNotEnoughMemory
// An opened key is always closed, and no buffer is left behind.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace zms {

// The longest path, root name or sub-key, in bytes without the NUL.
constexpr size_t kRegistryPathMax = 260;
constexpr size_t kRegistryTextSize = kRegistryPathMax + 1;

// The data of the value that `path` names, in a malloc'ed buffer the caller
// frees: the stored bytes followed by one NUL added here, so that data stored
// without a terminator, or of a non-text type, still reads as a C string.
// `type` (may be null) receives the value's registry type.
char* ReadValue(const char* path, uint32_t* type);

// ReadValue's data as text, its buffer released; nothing when it fails.
std::optional<std::string> ReadValueText(const char* path);

// Opens the key that `path` names with the `access` mask and copies the value
// name, the last non-empty component, into `valueName`. Runs of backslashes
// (leading, doubled, trailing) separate components like one; the sub-key is
// the components between the root and the value name, and with none the root
// itself is opened. The second byte of a double-byte character is never taken
// for a separator. Returns the key (which CloseKey releases) or kNoRegKey.
platform::RegKey OpenKey(const char* path, uint32_t access, char (&valueName)[kRegistryTextSize]);

// The predefined key of a root name or alias, matched without regard to the
// case of ASCII letters, with or without one trailing backslash; kNoRegKey
// with kErrorPathNotFound for any other name.
platform::RegKey FindRoot(const char* name);

// The data of value `valueName` of `key`, as ReadValue hands it out.
char* QueryValue(platform::RegKey key, const char* valueName, uint32_t* type);

// Closes `key` unless it is one of the nine predefined roots (or no key).
void CloseKey(platform::RegKey key);

}  // namespace zms
