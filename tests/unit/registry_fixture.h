// Values stored in the registry for the time of one test (natively in a .reg
// file, on Windows under wine in the real registry: tools/registry_writer),
// below key names of the fixture's own. Everything stored is removed again
// when the fixture goes.
#pragma once
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>

#include "platform/registry.h"
#include "tests/unit/temp_dir.h"
#include "tools/registry_writer/registry_writer.h"

namespace zms::test {

class RegistryFixture {
public:
    // A key name of this fixture's own, for keys below "Software".
    const std::string& Unique() const { return unique_; }

    // Stores `data`, byte for byte, as value `name` of type `type` in key
    // `subKey` of `root` ("" for the root itself), creating the key; `root` is
    // the current user's or the local machine's. Throws when the value cannot
    // be stored.
    void Set(platform::RegRoot root, const std::string& subKey, const std::string& name,
             uint32_t type, const std::string& data) {
        if (root != platform::RegRoot::kCurrentUser && root != platform::RegRoot::kLocalMachine)
            throw std::logic_error("the fixture stores below HKCU and HKLM only");
        const std::string key =
            root == platform::RegRoot::kCurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
        writer_.Set(subKey.empty() ? key : key + "\\" + subKey, name, RawValue{type, data});
    }

private:
    std::string unique_ = "ZmsRegistryTest-" + std::to_string(std::random_device()());
    TempDir dir_;
    RegistryWriter writer_{dir_.File("registry.reg")};
};

}  // namespace zms::test
