// The registry of the Windows builds: real keys and values. Each value is
// read before it is first changed and put back afterwards; a key the writer
// had to create goes with everything in it.
#include <windows.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "text/cp932.h"
#include "tools/registry_writer/registry_writer.h"

namespace zms {
namespace {

struct Place {
    HKEY root;
    std::string subKey;
};

Place PlaceOf(const std::string& key) {
    const std::size_t end = key.find('\\');
    const std::string root = key.substr(0, end);
    const std::string subKey = end == std::string::npos ? "" : key.substr(end + 1);
    if (root == "HKEY_CURRENT_USER") return {HKEY_CURRENT_USER, subKey};
    if (root == "HKEY_LOCAL_MACHINE") return {HKEY_LOCAL_MACHINE, subKey};
    throw std::runtime_error("no root key " + root);
}

bool KeyExists(HKEY root, const std::string& subKey) {
    HKEY key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The first key along `subKey` that does not exist yet, "" when all do.
std::string FirstMissingKey(const Place& p) {
    for (std::size_t i = 0;; i += text::CharLength(p.subKey, i)) {
        if (i < p.subKey.size() && p.subKey[i] != '\\') continue;
        if (!KeyExists(p.root, p.subKey.substr(0, i))) return p.subKey.substr(0, i);
        if (i >= p.subKey.size()) return "";
    }
}

std::optional<RawValue> Load(const Place& p, const std::string& name) {
    HKEY key;
    if (RegOpenKeyExA(p.root, p.subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<RawValue> v;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS) {
            bytes.resize(size);
            v = RawValue{type, bytes};
        }
    }
    RegCloseKey(key);
    return v;
}

// Stores the value, creating its key, or removes it for none (a missing key
// holds none).
void Store(const Place& p, const std::string& name, const std::optional<RawValue>& v) {
    const LONG rc = v ? RegSetKeyValueA(p.root, p.subKey.c_str(), name.c_str(), v->type,
                                        v->bytes.data(), static_cast<DWORD>(v->bytes.size()))
                      : RegDeleteKeyValueA(p.root, p.subKey.c_str(), name.c_str());
    if (rc != ERROR_SUCCESS && (v || rc != ERROR_FILE_NOT_FOUND))
        throw std::runtime_error("cannot store " + p.subKey + "\\" + name + " (error " +
                                 std::to_string(rc) + ")");
}

}  // namespace

struct RegistryWriter::State {
    struct Saved {
        Place place;
        std::string name;
        std::optional<RawValue> value;
    };
    std::vector<Saved> saved;
    std::vector<std::pair<HKEY, std::string>> createdKeys;
};

RegistryWriter::RegistryWriter(const std::string&) : state_(new State) {}

RegistryWriter::~RegistryWriter() {
    for (auto it = state_->saved.rbegin(); it != state_->saved.rend(); ++it) {
        try {
            Store(it->place, it->name, it->value);
        } catch (const std::exception&) {
        }
    }
    for (const auto& [root, key] : state_->createdKeys) RegDeleteTreeA(root, key.c_str());
    delete state_;
}

void RegistryWriter::Set(const std::string& key, const std::string& name,
                         const std::optional<RawValue>& value) {
    const Place p = PlaceOf(key);
    const std::string missing = value ? FirstMissingKey(p) : "";
    if (!missing.empty()) state_->createdKeys.emplace_back(p.root, missing);
    state_->saved.push_back({p, name, Load(p, name)});
    Store(p, name, value);
}

}  // namespace zms
