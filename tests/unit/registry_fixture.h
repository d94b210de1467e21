// Values stored in the registry for the time of one test: natively in a .reg
// file that ZMS_REGISTRY names, on Windows (under wine) in the real registry.
// Everything stored is removed again when the fixture goes.
#pragma once
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace zms::test {

class RegistryFixture {
public:
    RegistryFixture();
    ~RegistryFixture();
    RegistryFixture(const RegistryFixture&) = delete;
    RegistryFixture& operator=(const RegistryFixture&) = delete;

    // A key name of this fixture's own, for keys below "Software".
    const std::string& Unique() const { return unique_; }

    // Stores `data`, byte for byte, as value `name` of type `type` in key
    // `subKey` of `root`, creating the key. `subKey` is "" for the root itself
    // or lies below "Software\<Unique()>"; `root` is the current user's or the
    // local machine's. Throws when the value cannot be stored.
    void Set(platform::RegRoot root, const std::string& subKey, const std::string& name,
             uint32_t type, const std::string& data);

private:
    struct State;
    std::string unique_;
    State* state_;
};

}  // namespace zms::test
