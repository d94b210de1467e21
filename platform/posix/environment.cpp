#include "platform/environment.h"

#include <cstdlib>

namespace zms::platform {

std::string GetEnvironment(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace zms::platform
