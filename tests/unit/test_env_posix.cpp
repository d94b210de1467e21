#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "test_env.h"

namespace zms::test {

// Through putenv() with the "name=value" strings kept here: setenv() keeps
// every value it was ever given (the C library never frees them), which over
// the millions of searches of a fuzz run grew the process by about 20 MB a
// minute. An entry is freed only once the environment points elsewhere.
void SetEnvironment(const char* name, const char* value) {
    static std::map<std::string, std::unique_ptr<std::string>> entries;
    if (!value) {
        unsetenv(name);
        entries.erase(name);
        return;
    }
    auto entry = std::make_unique<std::string>(std::string(name) + "=" + value);
    putenv(entry->data());
    entries[name] = std::move(entry);
}

}  // namespace zms::test
