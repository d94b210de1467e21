#include "platform/message.h"

#include <cstdio>

namespace zms::platform {

void ShowMessage(const char* text) { std::fprintf(stderr, "%s\n", text); }

}  // namespace zms::platform
