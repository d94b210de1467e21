#include "platform/library.h"

#include <windows.h>

namespace zms::platform {

Library LoadLibraryFile(const char* path) { return path ? LoadLibraryA(path) : nullptr; }

void* FindEntry(Library library, const char* name) {
    if (!library) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

std::string ThisLibraryPath() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&ThisLibraryPath), &self))
        return "";
    char path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(self, path, sizeof path);
    // n == size: the path was cut; better no path than a wrong one.
    return n > 0 && n < sizeof path ? std::string(path, n) : "";
}

}  // namespace zms::platform
