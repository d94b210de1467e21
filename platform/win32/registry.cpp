// The registry on Windows: the system's own calls, in the narrow (code page)
// forms. The access mask carries no view flag: each build reads the view of
// its own process, so the 32-bit plug-in on a 64-bit system sees the 32-bit one.
#include "platform/registry.h"

#include <windows.h>

namespace zms::platform {
namespace {

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegKey RegRootKey(RegRoot root) {
    static const HKEY kRoots[kRegRootCount] = {
        HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,     HKEY_LOCAL_MACHINE,
        HKEY_USERS,        HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG,
        HKEY_DYN_DATA,     HKEY_PERFORMANCE_TEXT, HKEY_PERFORMANCE_NLSTEXT,
    };
    return reinterpret_cast<RegKey>(kRoots[static_cast<int>(root)]);
}

uint32_t OpenRegKey(RegKey parent, const char* subKey, uint32_t access, RegKey* opened) {
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(ToHkey(parent), subKey, 0, access, &key);
    *opened = rc == ERROR_SUCCESS ? reinterpret_cast<RegKey>(key) : kNoRegKey;
    return static_cast<uint32_t>(rc);
}

uint32_t QueryRegValue(RegKey key, const char* name, uint32_t* type, unsigned char* data,
                       uint32_t* size) {
    // DWORD is an unsigned long, not our uint32_t: copy in and out.
    DWORD valueType = type != nullptr ? *type : 0;
    DWORD byteCount = size != nullptr ? *size : 0;
    const LONG rc =
        RegQueryValueExA(ToHkey(key), name, nullptr, type != nullptr ? &valueType : nullptr, data,
                         size != nullptr ? &byteCount : nullptr);
    if (type != nullptr) *type = valueType;
    if (size != nullptr) *size = byteCount;
    return static_cast<uint32_t>(rc);
}

uint32_t CloseRegKey(RegKey key) { return static_cast<uint32_t>(RegCloseKey(ToHkey(key))); }

void SetLastErrorCode(uint32_t code) { SetLastError(code); }

uint32_t LastErrorCode() { return GetLastError(); }

}  // namespace zms::platform
