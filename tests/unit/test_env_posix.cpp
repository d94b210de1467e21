#include <cstdlib>

#include "test_env.h"

namespace zms::test {

void SetEnvironment(const char* name, const char* value) {
    if (value) setenv(name, value, 1);
    else unsetenv(name);
}

}  // namespace zms::test
