// The three registry values the plug-in reads at start-up, set for one test
// at their real paths, each to any type and bytes (terminated or not), or
// absent. Natively a .reg file that ZMS_REGISTRY names; on Windows (wine) the
// prefix's registry, with what was there before put back afterwards.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace zms::test {

struct RawValue {
    uint32_t type;
    std::string bytes;  // stored exactly: no terminator is added
};

class StartupRegistry {
public:
    StartupRegistry(const std::optional<RawValue>& editorInstall,
                    const std::optional<RawValue>& macroPath,
                    const std::optional<RawValue>& mailDirectory);
    ~StartupRegistry();
    StartupRegistry(const StartupRegistry&) = delete;
    StartupRegistry& operator=(const StartupRegistry&) = delete;

private:
    struct State;
    State* state_;
};

}  // namespace zms::test
