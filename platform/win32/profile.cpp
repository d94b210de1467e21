// Private profile files on Windows: the system's own calls.
#include "platform/profile.h"

#include <windows.h>

#include <cstring>

// <windows.h> maps WriteProfileString to WriteProfileStringA (the win.ini call),
// which would rename our own function here.
#undef WriteProfileString

namespace zms::platform {
namespace {

bool HasLineBreak(const char* s) { return s != nullptr && std::strpbrk(s, "\r\n") != nullptr; }

}  // namespace

uint32_t ReadProfileString(const char* section, const char* key, const char* def, char* buf,
                           uint32_t size, const char* path) {
    return GetPrivateProfileStringA(section, key, def, buf, size, path);
}

int WriteProfileString(const char* section, const char* key, const char* value, const char* path) {
    // WritePrivateProfileStringA copies CR and LF bytes into the file as they
    // are, so such a text would add lines, even whole sections, of its own.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return 0;
    return WritePrivateProfileStringA(section, key, value, path);
}

}  // namespace zms::platform
