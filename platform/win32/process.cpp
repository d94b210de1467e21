#include "platform/process.h"

#include <windows.h>

#include <string>

namespace zms::platform {

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
