#include <windows.h>

#include <stdexcept>
#include <vector>

#include "plugin/registry_paths.h"
#include "tests/unit/fault_registry_values.h"

namespace zms::test {
namespace {

struct Place {
    HKEY root;
    std::string subKey;
    std::string name;
};

Place PlaceOf(const char* fullPath) {
    const std::string path = fullPath;
    const std::size_t root = path.find('\\'), name = path.rfind('\\');
    const HKEY key =
        path.compare(0, root, "HKEY_LOCAL_MACHINE") == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    return {key, path.substr(root + 1, name - root - 1), path.substr(name + 1)};
}

// Stores the value, or removes it for none.
void Store(const Place& p, const std::optional<RawValue>& v) {
    HKEY key;
    if (!v) {
        if (RegOpenKeyExA(p.root, p.subKey.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(key, p.name.c_str());
        RegCloseKey(key);
        return;
    }
    if (RegCreateKeyExA(p.root, p.subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create key " + p.subKey);
    const LONG rc = RegSetValueExA(key, p.name.c_str(), 0, v->type,
                                   reinterpret_cast<const BYTE*>(v->bytes.data()),
                                   static_cast<DWORD>(v->bytes.size()));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot store value " + p.name);
}

std::optional<RawValue> Load(const Place& p) {
    HKEY key;
    if (RegOpenKeyExA(p.root, p.subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<RawValue> v;
    if (RegQueryValueExA(key, p.name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(key, p.name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS) {
            bytes.resize(size);
            v = RawValue{type, bytes};
        }
    }
    RegCloseKey(key);
    return v;
}

}  // namespace

struct StartupRegistry::State {
    std::vector<std::pair<Place, std::optional<RawValue>>> saved;
};

StartupRegistry::StartupRegistry(const std::optional<RawValue>& editorInstall,
                                 const std::optional<RawValue>& macroPath,
                                 const std::optional<RawValue>& mailDirectory)
    : state_(new State) {
    const std::pair<const char*, const std::optional<RawValue>*> values[] = {
        {registry_paths::kEditorInstallLocation, &editorInstall},
        {registry_paths::kEditorMacroDirectory, &macroPath},
        {registry_paths::kMailProgramDirectory, &mailDirectory}};
    for (const auto& [path, value] : values) {
        const Place p = PlaceOf(path);
        state_->saved.emplace_back(p, Load(p));
        Store(p, *value);
    }
}

StartupRegistry::~StartupRegistry() {
    for (const auto& [place, value] : state_->saved) Store(place, value);
    delete state_;
}

}  // namespace zms::test
