// Paths the plug-in builds the Windows way ("dir\ZentoroMailSearch.ini",
// "dir\VRInfo.dll") name the same files natively: a backslash separates like
// a slash, as it does on Windows. On Windows the path stays as it is.
#pragma once
#include <string>

namespace zms::platform {

inline std::string NativePath(const char* path) {
    std::string p = path ? path : "";
#ifndef _WIN32
    for (char& c : p)
        if (c == '\\') c = '/';
#endif
    return p;
}

}  // namespace zms::platform
