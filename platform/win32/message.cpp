#include "platform/message.h"

#include <windows.h>

namespace zms::platform {

void ShowMessage(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

}  // namespace zms::platform
