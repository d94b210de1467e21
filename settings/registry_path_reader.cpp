#include "settings/registry_path_reader.h"

#include "text/cp932.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

namespace zms {
namespace {

using platform::RegKey;
using platform::RegRoot;

// The root table, searched in this order. Names and aliases are in upper case
// and end with a backslash, the form FindRoot brings a name to.
struct RootRow {
    const char* name;
    const char* alias;  // null for none
    RegRoot root;
};

constexpr RootRow kRootTable[] = {
    {"HKEY_CLASSES_ROOT\\", nullptr, RegRoot::kClassesRoot},
    {"HKEY_CURRENT_USER\\", "USR\\", RegRoot::kCurrentUser},
    {"HKEY_LOCAL_MACHINE\\", "SYS\\", RegRoot::kLocalMachine},
    {"HKEY_USERS\\", nullptr, RegRoot::kUsers},
    {"HKEY_PERFORMANCE_DATA\\", nullptr, RegRoot::kPerformanceData},
    {"HKEY_CURRENT_CONFIG\\", nullptr, RegRoot::kCurrentConfig},
    {"HKEY_DYN_DATA\\", nullptr, RegRoot::kDynData},
    {"HKEY_PERFORMANCE_TEXT\\", nullptr, RegRoot::kPerformanceText},
    {"HKEY_PERFORMANCE_NLSTEXT\\", nullptr, RegRoot::kPerformanceNlsText},
};
static_assert(std::size(kRootTable) == platform::kRegRootCount, "one row per predefined root");

// A component of a path: `length` bytes from `begin`.
struct Component {
    const char* begin;
    size_t length;
};

// The next non-empty component of `path` at or after `*cursor`, advancing the
// cursor past it; false when only separators are left.
bool NextComponent(const char* path, size_t* cursor, Component* out) {
    size_t i = *cursor;
    while (path[i] == '\\') ++i;
    if (path[i] == '\0') return false;
    const size_t begin = i;
    // A backslash can be the second byte of a double-byte character (0x83
    // 0x5C, for one), which is no separator.
    while (path[i] != '\0' && path[i] != '\\') {
        i += text::IsLeadByte(path[i]) && path[i + 1] != '\0' ? 2 : 1;
    }
    *out = {path + begin, i - begin};
    *cursor = i;
    return true;
}

// Appends to a work text holding `*length` bytes; false when it would not fit.
bool Append(char (&text)[kRegistryTextSize], size_t* length, const char* bytes, size_t count) {
    if (count > kRegistryPathMax - *length) return false;
    std::memcpy(text + *length, bytes, count);
    *length += count;
    text[*length] = '\0';
    return true;
}

RegKey Fail(uint32_t error) {
    platform::SetLastErrorCode(error);
    return platform::kNoRegKey;
}

}  // namespace

char* ReadValue(const char* path, uint32_t* type) {
    char valueName[kRegistryTextSize];
    const RegKey key = OpenKey(path, platform::kRegQueryValueAccess, valueName);
    if (key == platform::kNoRegKey) return nullptr;
    char* data = QueryValue(key, valueName, type);
    CloseKey(key);
    return data;
}

RegKey OpenKey(const char* path, uint32_t access, char (&valueName)[kRegistryTextSize]) {
    valueName[0] = '\0';
    if (path == nullptr || std::strlen(path) > kRegistryPathMax) {
        return Fail(platform::kErrorInvalidParameter);
    }
    size_t cursor = 0;
    Component root{};
    Component value{};
    if (!NextComponent(path, &cursor, &root) || !NextComponent(path, &cursor, &value)) {
        return Fail(platform::kErrorInvalidParameter);  // names no value
    }

    // Every component read after the root joins the sub-key until a later one
    // shows that it was not the last.
    char subKey[kRegistryTextSize] = "";
    size_t subKeyLength = 0;
    for (Component next{}; NextComponent(path, &cursor, &next); value = next) {
        if ((subKeyLength > 0 && !Append(subKey, &subKeyLength, "\\", 1)) ||
            !Append(subKey, &subKeyLength, value.begin, value.length)) {
            return Fail(platform::kErrorInvalidParameter);
        }
    }

    char rootName[kRegistryTextSize] = "";
    size_t rootLength = 0;
    size_t valueLength = 0;
    if (!Append(rootName, &rootLength, root.begin, root.length) ||
        !Append(valueName, &valueLength, value.begin, value.length)) {
        return Fail(platform::kErrorInvalidParameter);
    }
    const RegKey rootKey = FindRoot(rootName);
    if (rootKey == platform::kNoRegKey) return platform::kNoRegKey;

    RegKey key = platform::kNoRegKey;
    const uint32_t rc = platform::OpenRegKey(rootKey, subKey, access, &key);
    if (rc != platform::kErrorSuccess) return Fail(rc);
    return key;
}

RegKey FindRoot(const char* name) {
    if (name == nullptr || std::strlen(name) > kRegistryPathMax) {
        return Fail(platform::kErrorPathNotFound);  // longer than any root name
    }
    // ASCII letters only, whatever locale the host has set: the table is ASCII.
    std::string lookup = text::FoldAsciiCase(name);
    if (lookup.empty() || lookup.back() != '\\') lookup += '\\';
    for (const RootRow& row : kRootTable) {
        if (lookup == row.name || (row.alias != nullptr && lookup == row.alias)) {
            return platform::RegRootKey(row.root);
        }
    }
    return Fail(platform::kErrorPathNotFound);
}

char* QueryValue(RegKey key, const char* valueName, uint32_t* type) {
    uint32_t size = 0;
    uint32_t rc = platform::QueryRegValue(key, valueName, type, nullptr, &size);
    if (rc != platform::kErrorSuccess) {
        platform::SetLastErrorCode(rc);
        return nullptr;
    }
    // One byte more for the terminator, which a size of 4 GiB - 1 leaves no
    // room for in the 32-bit sizes the registry counts in.
    if (size == std::numeric_limits<uint32_t>::max()) {
        platform::SetLastErrorCode(platform::kErrorNotEnoughMemory);
        return nullptr;
    }
    auto* data = static_cast<unsigned char*>(std::malloc(size + 1u));
    if (data == nullptr) {
        platform::SetLastErrorCode(platform::kErrorNotEnoughMemory);
        return nullptr;
    }
    // A value that grew since the first query no longer fits: kErrorMoreData.
    uint32_t stored = size;
    rc = platform::QueryRegValue(key, valueName, type, data, &stored);
    if (rc != platform::kErrorSuccess) {
        std::free(data);
        platform::SetLastErrorCode(rc);
        return nullptr;
    }
    // The second answer can be the smaller one: for a string the narrow call
    // may first report the size of its wide form.
    data[stored < size ? stored : size] = '\0';
    return reinterpret_cast<char*>(data);
}

void CloseKey(RegKey key) {
    if (key == platform::kNoRegKey) return;
    for (const RootRow& row : kRootTable) {
        if (key == platform::RegRootKey(row.root)) return;
    }
    platform::CloseRegKey(key);
}

std::optional<std::string> ReadValueText(const char* path) {
    char* value = ReadValue(path, nullptr);
    if (!value) return std::nullopt;
    std::string text = value;
    std::free(value);
    return text;
}

}  // namespace zms
