#include "platform/message.h"

#include <cstdio>

#include "platform/registry.h"

namespace zms::platform {

void ShowMessage(const char* text, std::intptr_t /*owner*/) { std::fprintf(stderr, "%s\n", text); }

std::string LastErrorText() {
    switch (const uint32_t code = LastErrorCode()) {
    case kErrorFileNotFound: return "The system cannot find the file specified.";
    case kErrorPathNotFound: return "The system cannot find the path specified.";
    case kErrorAccessDenied: return "Access is denied.";
    case kErrorNotEnoughMemory: return "Not enough memory resources are available.";
    case kErrorWriteFault: return "The system cannot write to the specified device.";
    case kErrorModNotFound: return "The specified module could not be found.";
    default: return "error " + std::to_string(code);
    }
}

}  // namespace zms::platform
