// Reading the registry: open a key, query one of its values, close the key,
// and the thread's last error code that the callers report failures through.
// Win32: RegOpenKeyExA / RegQueryValueExA / RegCloseKey, SetLastError /
// GetLastError. POSIX: a registry read from a .reg file (the format is
// described in platform/posix/reg_text.h).
//
// Names and data are code page 932 bytes, handed through unconverted; key and
// value names match without regard to case, as on Windows.
#pragma once
#include <cstdint>

namespace zms::platform {

// An open key or one of the predefined roots; 0 is no key.
using RegKey = std::uintptr_t;
constexpr RegKey kNoRegKey = 0;

// The predefined root keys, in the order of their Win32 values.
enum class RegRoot {
    kClassesRoot,
    kCurrentUser,
    kLocalMachine,
    kUsers,
    kPerformanceData,
    kCurrentConfig,
    kDynData,
    kPerformanceText,
    kPerformanceNlsText,
};
constexpr int kRegRootCount = 9;

// Error codes, with their Win32 values.
constexpr uint32_t kErrorSuccess = 0;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorNotEnoughMemory = 8;
constexpr uint32_t kErrorWriteFault = 29;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorModNotFound = 126;
constexpr uint32_t kErrorMoreData = 234;

// Access mask that allows reading a key's values (KEY_QUERY_VALUE).
constexpr uint32_t kRegQueryValueAccess = 1;

// The value types the POSIX registry reads from its file, with their Win32
// values.
constexpr uint32_t kRegString = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

// The handle of a predefined root. It is always open and needs no closing.
RegKey RegRootKey(RegRoot root);

// Opens `subKey` below `parent` (an empty sub-key opens `parent` itself) with
// the `access` mask. On success stores the key in `*opened` and returns 0;
// otherwise stores kNoRegKey and returns the error code (kErrorFileNotFound for
// a key that does not exist). The key is read in the process's own view.
uint32_t OpenRegKey(RegKey parent, const char* subKey, uint32_t access, RegKey* opened);

// Reads the value `name` of `key` (null or "" names the key's default value).
// `type` (may be null) receives the value's type. With a null `data`, stores
// the data's size in `*size` and returns 0. Otherwise `*size` is the capacity
// of `data` on entry: the data is copied when it fits, and `*size` becomes its
// size; when it does not fit, returns kErrorMoreData with the size needed in
// `*size`. A missing value gives kErrorFileNotFound.
uint32_t QueryRegValue(RegKey key, const char* name, uint32_t* type, unsigned char* data,
                       uint32_t* size);

// Closes a key opened by OpenRegKey. Returns 0 or the error code.
uint32_t CloseRegKey(RegKey key);

// The calling thread's last error code.
void SetLastErrorCode(uint32_t code);
uint32_t LastErrorCode();

}  // namespace zms::platform
