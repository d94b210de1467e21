#include <windows.h>

#include "test_env.h"

namespace zms::test {

void SetEnvironment(const char* name, const char* value) { SetEnvironmentVariableA(name, value); }

}  // namespace zms::test
