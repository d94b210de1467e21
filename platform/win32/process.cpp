#include "platform/process.h"

#include <windows.h>

#include <string>

#include "text/cp932.h"

namespace zms::platform {

std::string ProgramDirectory() {
    // Long enough for any path Windows hands out; a cut one would name
    // another directory, so it counts as unknown.
    std::string path(32768, '\0');
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return "";
    path.resize(n);
    // Cut after the last real separator: 0x5C can also be the second byte of
    // a double-byte character (表, ソ) in a code page 932 name.
    std::size_t cut = 0;
    for (std::size_t i = 0; i < path.size(); i += text::CharLength(path, i))
        if (path[i] == '\\') cut = i + 1;
    return path.substr(0, cut);
}

std::string SystemProgram(const char* name) {
    char dir[MAX_PATH];
    const UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "";
    return std::string(dir, n) + "\\" + name;
}

bool StartProcess(const char* program, const char* commandLine) {
    // CreateProcessA may write into the command line: give it a copy.
    std::string line = commandLine ? commandLine : "";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

}  // namespace zms::platform
