// Process environment variables, where the native build and the tests take
// settings that Windows keeps elsewhere.
#pragma once
#include <string>

namespace zms::platform {

// The variable's value, or "" when it is not set.
std::string GetEnvironment(const char* name);

}  // namespace zms::platform
