// Registry values stored for a while: the one way the tests and zms-host set
// what the plug-in reads from the registry. Natively the registry is a .reg
// file (platform/posix/reg_text.h) that the environment variable ZMS_REGISTRY
// names while a writer lives; on Windows it is the real one (wine's prefix
// under wine). A writer puts back what it changed when it goes: the values as
// they were, the keys it created removed, ZMS_REGISTRY as it was.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace zms {

// Two more value types, with their Win32 values, beside the three the POSIX
// registry reads from its file (platform/registry.h).
inline constexpr uint32_t kRegExpandString = 2;
inline constexpr uint32_t kRegMultiString = 7;

struct RawValue {
    uint32_t type;
    std::string bytes;  // stored exactly: no terminator is added
};

class RegistryWriter {
public:
    // `file` is the .reg file of the native build (unused on Windows).
    explicit RegistryWriter(const std::string& file);
    ~RegistryWriter();
    RegistryWriter(const RegistryWriter&) = delete;
    RegistryWriter& operator=(const RegistryWriter&) = delete;

    // Stores `value` as value `name` ("" the default value) of `key`, a full
    // key path such as "HKEY_CURRENT_USER\Software\Orlemco" (the current user's
    // or the local machine's), creating the key; none removes the value.
    // Throws std::runtime_error when it cannot be done.
    void Set(const std::string& key, const std::string& name, const std::optional<RawValue>& value);
    // The same for "ROOT\Key\Name" (ASCII names: split at the last backslash).
    void Set(const std::string& valuePath, const std::optional<RawValue>& value);

private:
    struct State;
    State* state_;
};

inline void RegistryWriter::Set(const std::string& valuePath,
                                const std::optional<RawValue>& value) {
    const std::size_t name = valuePath.rfind('\\');
    Set(valuePath.substr(0, name), valuePath.substr(name + 1), value);
}

// REG_SZ data: the text and its terminating NUL.
inline RawValue RegText(const std::string& text) { return {1, text + '\0'}; }

}  // namespace zms
