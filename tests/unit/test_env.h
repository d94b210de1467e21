// Setting a process environment variable from a test, the way the plug-in
// reads it (the process block on Windows, environ natively).
#pragma once

namespace zms::test {

// Null `value` removes the variable.
void SetEnvironment(const char* name, const char* value);

}  // namespace zms::test
