// The registry of the native build: a .reg file in a temporary directory that
// ZMS_REGISTRY names while the fixture lives. Values are written in the
// file's usual forms (strings, dword:, hex:) so that reading them back goes
// through each of them.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/cp932.h"
#include "tests/unit/registry_fixture.h"
#include "tests/unit/temp_dir.h"

namespace zms::test {
namespace {

const char* RootName(platform::RegRoot root) {
    if (root == platform::RegRoot::kCurrentUser) return "HKEY_CURRENT_USER";
    if (root == platform::RegRoot::kLocalMachine) return "HKEY_LOCAL_MACHINE";
    throw std::logic_error("the fixture stores below HKCU and HKLM only");
}

// A name or string in quotes; the second byte of a double-byte character is
// written as it is, even a backslash.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        if (platform::CharLength(text, i) == 2) {
            out += text.substr(i++, 2);
        } else {
            if (text[i] == '\\' || text[i] == '"') out += '\\';
            out += text[i];
        }
    }
    return out + '"';
}

// The data part of a value line.
std::string DataText(uint32_t type, const std::string& data) {
    const bool terminated = !data.empty() && data.find('\0') == data.size() - 1;
    if (type == platform::kRegString && terminated) return Quoted(data.substr(0, data.size() - 1));
    char hex[16];
    if (type == platform::kRegDword && data.size() == 4) {
        uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(data[i]);
        std::snprintf(hex, sizeof hex, "dword:%08x", n);
        return hex;
    }
    std::snprintf(hex, sizeof hex, type == platform::kRegBinary ? "hex:" : "hex(%x):", type);
    std::string out = hex;
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(hex, sizeof hex, "%s%02x", i == 0 ? "" : ",",
                      static_cast<unsigned char>(data[i]));
        out += hex;
        if (i % 16 == 15 && i + 1 < data.size()) out += ",\\\r\n  ";  // as exports wrap them
    }
    return out;
}

}  // namespace

struct RegistryFixture::State {
    TempDir dir;
    std::string file = dir.File("registry.reg");
    std::optional<std::string> previous;          // ZMS_REGISTRY before the fixture
    std::map<std::string, std::string> sections;  // key path -> its value lines

    void Write() const {
        std::string text = "Windows Registry Editor Version 5.00\r\n";
        for (const auto& [key, lines] : sections) text += "\r\n[" + key + "]\r\n" + lines;
        WriteBytes(file, text);
    }
};

RegistryFixture::RegistryFixture() : unique_("ZmsRegistryTest"), state_(new State) {
    if (const char* old = std::getenv("ZMS_REGISTRY")) state_->previous = old;
    state_->Write();
    setenv("ZMS_REGISTRY", state_->file.c_str(), 1);
}

RegistryFixture::~RegistryFixture() {
    if (state_->previous) {
        setenv("ZMS_REGISTRY", state_->previous->c_str(), 1);
    } else {
        unsetenv("ZMS_REGISTRY");
    }
    delete state_;
}

void RegistryFixture::Set(platform::RegRoot root, const std::string& subKey,
                          const std::string& name, uint32_t type, const std::string& data) {
    const std::string key = subKey.empty() ? RootName(root) : RootName(root) + ("\\" + subKey);
    state_->sections[key] +=
        (name.empty() ? "@" : Quoted(name)) + "=" + DataText(type, data) + "\r\n";
    state_->Write();
}

}  // namespace zms::test
