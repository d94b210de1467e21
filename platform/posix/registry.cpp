// The registry without Win32: the .reg file that the environment variable
// ZMS_REGISTRY names (platform/posix/reg_text.h), read when a key is opened, so
// that a test can point the variable at a new file at any time. A handle holds
// its key's values as they were when it was opened; the roots, which are never
// opened, read the file at every query. With the variable unset, or the file
// missing or not a registry export, the registry is empty: the nine roots
// exist and have no values, and every key below them is missing.
#include "platform/registry.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

#include "text/cp932.h"
#include "platform/posix/reg_text.h"

namespace zms::platform {
namespace {

// What a handle points at.
struct Key {
    std::string path;  // folded
    RegValues values;  // as opened (a root's are read at each query)
};

thread_local uint32_t t_lastError = kErrorSuccess;

RegKeys ReadRegistry() {
    const char* path = std::getenv("ZMS_REGISTRY");
    if (path == nullptr) return {};
    std::ifstream in(path, std::ios::binary);
    return ParseRegText(std::string(std::istreambuf_iterator<char>(in), {}));
}

// The roots' handles point at these, which live as long as the process.
Key* Roots() {
    static Key roots[kRegRootCount] = {
        {"HKEY_CLASSES_ROOT", {}}, {"HKEY_CURRENT_USER", {}},     {"HKEY_LOCAL_MACHINE", {}},
        {"HKEY_USERS", {}},        {"HKEY_PERFORMANCE_DATA", {}}, {"HKEY_CURRENT_CONFIG", {}},
        {"HKEY_DYN_DATA", {}},     {"HKEY_PERFORMANCE_TEXT", {}}, {"HKEY_PERFORMANCE_NLSTEXT", {}},
    };
    return roots;
}

bool IsRoot(RegKey key) {
    for (int i = 0; i < kRegRootCount; ++i) {
        if (key == reinterpret_cast<RegKey>(&Roots()[i])) return true;
    }
    return false;
}

const Key& KeyOf(RegKey key) { return *reinterpret_cast<const Key*>(key); }

}  // namespace

RegKey RegRootKey(RegRoot root) {
    return reinterpret_cast<RegKey>(&Roots()[static_cast<int>(root)]);
}

uint32_t OpenRegKey(RegKey parent, const char* subKey, uint32_t /*access*/, RegKey* opened) {
    if (opened == nullptr) return kErrorInvalidParameter;
    *opened = kNoRegKey;
    if (parent == kNoRegKey) return kErrorInvalidHandle;
    try {
        RegKeys keys = ReadRegistry();
        const bool itself = subKey == nullptr || *subKey == '\0';  // a new handle to the parent
        const std::string path =
            itself ? KeyOf(parent).path : KeyOf(parent).path + '\\' + text::FoldAsciiCase(subKey);
        if (!itself && !RegKeyExists(keys, path)) return kErrorFileNotFound;
        *opened = reinterpret_cast<RegKey>(new Key{path, std::move(keys[path])});
        return kErrorSuccess;
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

uint32_t QueryRegValue(RegKey key, const char* name, uint32_t* type, unsigned char* data,
                       uint32_t* size) {
    if (key == kNoRegKey) return kErrorInvalidHandle;
    if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
    try {
        RegKeys now = IsRoot(key) ? ReadRegistry() : RegKeys{};
        const RegValues& values = IsRoot(key) ? now[KeyOf(key).path] : KeyOf(key).values;
        const auto it = values.find(text::FoldAsciiCase(name != nullptr ? name : ""));
        if (it == values.end()) return kErrorFileNotFound;
        const std::string& bytes = it->second.data;
        const bool fits = data == nullptr || *size >= bytes.size();
        if (type != nullptr) *type = it->second.type;
        if (data != nullptr && fits) std::memcpy(data, bytes.data(), bytes.size());
        if (size != nullptr) *size = static_cast<uint32_t>(bytes.size());
        return fits ? kErrorSuccess : kErrorMoreData;
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

uint32_t CloseRegKey(RegKey key) {
    if (key == kNoRegKey) return kErrorInvalidHandle;
    if (!IsRoot(key)) delete &KeyOf(key);
    return kErrorSuccess;
}

void SetLastErrorCode(uint32_t code) { t_lastError = code; }

uint32_t LastErrorCode() { return t_lastError; }

}  // namespace zms::platform
