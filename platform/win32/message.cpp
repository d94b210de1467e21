#include "platform/message.h"

#include <windows.h>

namespace zms::platform {

void ShowMessage(const char* text, std::intptr_t owner) {
    MessageBoxA(reinterpret_cast<HWND>(owner), text, nullptr, MB_OK);
}

std::string LastErrorText() {
    const DWORD code = GetLastError();
    char text[512];
    // Language 0: the user's language, else the system's, else English.
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ')) --n;
    if (n == 0) return "error " + std::to_string(code);
    return std::string(text, n);
}

}  // namespace zms::platform
