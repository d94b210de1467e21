#include "platform/environment.h"

#include <windows.h>

namespace zms::platform {

// The process block, not the C runtime's copy: a host that sets a variable
// with SetEnvironmentVariableA is seen at once.
std::string GetEnvironment(const char* name) {
    DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
    if (n == 0) return "";
    std::string value(n, '\0');
    n = GetEnvironmentVariableA(name, value.data(), n);
    value.resize(n < value.size() ? n : 0);
    return value;
}

}  // namespace zms::platform
