// The registry of the native build: the .reg file rewritten at every change.
// Values are written in the file's usual forms (strings, dword:, hex:), so
// that reading them back goes through each of them.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

#include "text/cp932.h"
#include "platform/registry.h"
#include "tools/registry_writer/registry_writer.h"

namespace zms {
namespace {

// A name or string in quotes, \\ and \" escaped, double-byte characters as
// they are; nothing for a text the form cannot carry: a line break, or a lead
// byte at its end (it would take the closing quote for its second byte).
std::optional<std::string> Quoted(const std::string& text) {
    if (text.find_first_of("\r\n") != std::string::npos) return std::nullopt;
    std::string out = "\"";
    for (std::size_t i = 0, n; i < text.size(); i += n) {
        n = text::CharLength(text, i);
        if (n == 1 && text::IsLeadByte(text[i])) return std::nullopt;
        if (text[i] == '\\' || text[i] == '"') out += '\\';
        out += text.substr(i, n);
    }
    return out + '"';
}

// The data part of a value line.
std::string DataText(const RawValue& v) {
    const std::string& data = v.bytes;
    const bool terminated = !data.empty() && data.find('\0') == data.size() - 1;
    if (v.type == platform::kRegString && terminated)
        if (const auto text = Quoted(data.substr(0, data.size() - 1))) return *text;
    char hex[16];
    if (v.type == platform::kRegDword && data.size() == 4) {
        uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(data[i]);
        std::snprintf(hex, sizeof hex, "dword:%08x", n);
        return hex;
    }
    std::snprintf(hex, sizeof hex, v.type == platform::kRegBinary ? "hex:" : "hex(%x):", v.type);
    std::string out = hex;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) out += i % 16 == 0 ? ",\\\r\n  " : ",";  // lines wrapped as exports wrap them
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(data[i]));
        out += hex;
    }
    return out;
}

}  // namespace

struct RegistryWriter::State {
    std::string file;
    std::optional<std::string> previous;  // ZMS_REGISTRY before the writer
    std::map<std::string, std::map<std::string, std::string>> keys;  // key -> name -> line

    void Write() const {
        std::string text = "Windows Registry Editor Version 5.00\r\n";
        for (const auto& [key, lines] : keys) {
            text += "\r\n[" + key + "]\r\n";
            for (const auto& [name, line] : lines) text += line;
        }
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) throw std::runtime_error("cannot write " + file);
    }
};

RegistryWriter::RegistryWriter(const std::string& file) : state_(new State{file, {}, {}}) {
    if (const char* old = std::getenv("ZMS_REGISTRY")) state_->previous = old;
    state_->Write();
    setenv("ZMS_REGISTRY", file.c_str(), 1);
}

RegistryWriter::~RegistryWriter() {
    if (state_->previous) {
        setenv("ZMS_REGISTRY", state_->previous->c_str(), 1);
    } else {
        unsetenv("ZMS_REGISTRY");
    }
    delete state_;
}

void RegistryWriter::Set(const std::string& key, const std::string& name,
                         const std::optional<RawValue>& value) {
    std::map<std::string, std::string>& lines = state_->keys[key];
    if (value) {
        const std::optional<std::string> quoted = Quoted(name);
        if (!quoted) throw std::runtime_error("a name the .reg file cannot hold");
        lines[name] = (name.empty() ? "@" : *quoted) + "=" + DataText(*value) + "\r\n";
    } else {
        lines.erase(name);
    }
    state_->Write();
}

}  // namespace zms
