// The registry of the Windows builds: real keys and values, in the wine
// prefix when the tests run under wine. Keys go below a key of the fixture's
// own in Software of the current user and of the local machine; values stored
// on a root itself are deleted one by one.
#include <windows.h>

#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/unit/registry_fixture.h"

namespace zms::test {
namespace {

HKEY ToHkey(platform::RegRoot root) { return reinterpret_cast<HKEY>(platform::RegRootKey(root)); }

}  // namespace

struct RegistryFixture::State {
    std::vector<std::pair<platform::RegRoot, std::string>> rootValues;
};

RegistryFixture::RegistryFixture() : state_(new State) {
    std::random_device seed;
    unique_ =
        "ZmsRegistryTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(seed());
}

RegistryFixture::~RegistryFixture() {
    const std::string tree = "Software\\" + unique_;
    for (platform::RegRoot root :
         {platform::RegRoot::kCurrentUser, platform::RegRoot::kLocalMachine}) {
        RegDeleteTreeA(ToHkey(root), tree.c_str());  // the key with all below it
    }
    for (const auto& [root, name] : state_->rootValues) RegDeleteValueA(ToHkey(root), name.c_str());
    delete state_;
}

void RegistryFixture::Set(platform::RegRoot root, const std::string& subKey,
                          const std::string& name, uint32_t type, const std::string& data) {
    const std::string tree = "Software\\" + unique_;
    if (!subKey.empty() && subKey.compare(0, tree.size(), tree) != 0) {
        throw std::logic_error("fixture keys lie below " + tree);
    }
    HKEY key = ToHkey(root);
    if (!subKey.empty() && RegCreateKeyExA(key, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                           nullptr, &key, nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create key " + subKey);
    }
    const LONG rc =
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
    if (subKey.empty()) {
        state_->rootValues.emplace_back(root, name);
    } else {
        RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot store value " + name);
}

}  // namespace zms::test
