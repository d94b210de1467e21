#include "platform/process.h"

#include <windows.h>

#include <string>

namespace zms::platform {

std::string ProgramDirectory() {
    // Long enough for any path Windows hands out; a cut one would name
    // another directory, so it counts as unknown.
    std::string path(32768, '\0');
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return "";
    path.resize(n);
    const std::size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? "" : path.substr(0, cut + 1);
}

bool StartProcess(const char* commandLine) {
    // CreateProcessA may write into the command line: give it a copy.
    std::string line = commandLine ? commandLine : "";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

}  // namespace zms::platform
