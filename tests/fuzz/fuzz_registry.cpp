// The registry path reader over any path, on a registry read from any .reg file.
//
// Input: the path, ended by a LF; the .reg file's text, ended by a NUL; then the
// data of one more value. The file is the text as it is (so the text decides
// whether it is a registry export at all). Checks on the path as given: no
// crash, a result that is NUL-terminated within its buffer (the sanitizers see
// the bytes read), null for a path over 260 bytes.
//
// Then the same text follows an export header, and a value is added after it
// whose key and name are the path made into one the file can hold (see
// Entry); its data is the input's last part as a string, binary, DWORD or
// typed binary value. Reading it must give its type and its bytes with one NUL
// added, through every spelling of the path that names it: the root in any
// letter case or by its alias, runs of backslashes, ASCII letters of the names
// in the other case.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "text/cp932.h"
#include "platform/registry.h"
#include "settings/registry_path_reader.h"

namespace {

using namespace zms;

// A path's characters: a lead byte with the byte after it, or one byte.
std::vector<std::string> Characters(const std::string& s) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = text::CharLength(s, i);
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

struct Root {
    const char* name;
    const char* spelled;  // as the path writes it
};

const Root kRoots[] = {
    {"HKEY_CLASSES_ROOT", "HKEY_CLASSES_ROOT"},   {"HKEY_CURRENT_USER", "HKEY_CURRENT_USER"},
    {"HKEY_CURRENT_USER", "USR"},                 {"HKEY_LOCAL_MACHINE", "hkey_local_machine"},
    {"HKEY_LOCAL_MACHINE", "SYS"},                {"HKEY_USERS", "Hkey_Users"},
    {"HKEY_PERFORMANCE_DATA", "HKEY_PERFORMANCE_DATA"}, {"HKEY_CURRENT_CONFIG", "HKEY_CURRENT_CONFIG"},
    {"HKEY_DYN_DATA", "hkey_dyn_data"},           {"HKEY_PERFORMANCE_TEXT", "HKEY_PERFORMANCE_TEXT"},
    {"HKEY_PERFORMANCE_NLSTEXT", "hkey_performance_nlstext"}, {"HKEY_CURRENT_USER", "usr"},
};

// A key path and value name the file can hold, made from the input's path:
// its components without the first, each character kept except a lone lead
// byte at the end and CR, which become "x"; a root chosen by the path's first
// component.
struct Entry {
    const Root* root;
    std::vector<std::string> components;  // the sub-key's, then the value name
};

Entry MakeEntry(const std::string& path) {
    Entry e{nullptr, {}};
    std::string current;
    unsigned sum = 0;
    bool first = true;
    auto finish = [&] {
        if (current.empty()) return;
        if (first) {
            for (unsigned char c : current) sum += c;
            first = false;
        } else {
            e.components.push_back(current);
        }
        current.clear();
    };
    for (const std::string& c : Characters(path)) {
        if (c == "\\") {
            finish();
        } else if (c.size() == 1 && (c[0] == '\r' || text::IsLeadByte(c[0]))) {
            current += 'x';
        } else {
            current += c;
        }
    }
    finish();
    if (e.components.empty()) e.components.push_back("v");
    e.root = &kRoots[sum % (sizeof(kRoots) / sizeof(kRoots[0]))];
    return e;
}

// A name in a .reg file's quotes: backslash and quote escaped, a double-byte
// character as it is.
std::string Quoted(const std::string& name) {
    std::string out = "\"";
    for (const std::string& c : Characters(name)) out += c == "\\" || c == "\"" ? "\\" + c : c;
    return out + "\"";
}

struct Data {
    uint32_t type;
    std::string stored;  // the bytes the registry holds
    std::string text;    // how the file writes them
};

std::string HexList(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i > 0) out += i % 16 == 0 ? ",\\\n  " : ",";  // long lists go on over lines
        out += hex;
    }
    return out;
}

Data MakeData(const std::string& spec) {
    const unsigned kind = spec.empty() ? 0 : static_cast<unsigned char>(spec[0]) % 4;
    std::string bytes = spec.empty() ? "" : spec.substr(1);
    switch (kind) {
        case 0: {  // a string: no line break, no lone lead byte before the closing quote
            std::string s;
            for (const std::string& c : Characters(bytes)) {
                if (c.find_first_of("\r\n") != std::string::npos) continue;
                if (c.size() == 1 && text::IsLeadByte(c[0])) continue;
                s += c;
            }
            return {platform::kRegString, s + '\0', Quoted(s)};
        }
        case 1: return {platform::kRegBinary, bytes, "hex:" + HexList(bytes)};
        case 2: {
            bytes.resize(4, '\0');
            char text[16];
            uint32_t n = 0;
            for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(bytes[i]);
            std::snprintf(text, sizeof text, "dword:%08x", n);
            return {platform::kRegDword, bytes, text};
        }
        default: {
            const uint32_t type = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
            char head[16];
            std::snprintf(head, sizeof head, "hex(%x):", type);
            return {type, bytes, head + HexList(bytes)};
        }
    }
}

// The spellings of the entry's path: as made, with doubled and outer
// backslashes, and with the other letter case.
std::vector<std::string> Spellings(const Entry& e) {
    std::vector<std::string> out;
    for (int variant = 0; variant < 3; ++variant) {
        const std::string sep = variant == 1 ? "\\\\" : "\\";
        std::string p = variant == 1 ? "\\" : "";
        p += e.root->spelled;
        for (const std::string& c : e.components) p += sep + c;
        if (variant == 1) p += "\\";
        if (variant == 2) {
            std::string flipped;
            for (const std::string& c : Characters(p)) {
                char ch = c[0];
                if (c.size() == 1 && ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
                else if (c.size() == 1 && ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
                flipped += c.size() == 1 ? std::string(1, ch) : c;
            }
            p = flipped;
        }
        out.push_back(p);
    }
    return out;
}

void CheckRaw(const std::string& path) {
    uint32_t type = 0xdead;
    char* data = ReadValue(path.c_str(), &type);
    if (data != nullptr) {
        if (path.size() > kRegistryPathMax) fuzz::Fail("a path over 260 bytes was read", fuzz::Visible(path));
        volatile std::size_t n = std::strlen(data);  // within the buffer, or the sanitizer says so
        (void)n;
    } else if (path.size() > kRegistryPathMax && platform::LastErrorCode() != platform::kErrorInvalidParameter) {
        fuzz::Fail("a path over 260 bytes failed with " + std::to_string(platform::LastErrorCode()));
    }
    std::free(data);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static const std::string file = fuzz::ScratchDir() + "/registry.reg";
    ::setenv("ZMS_REGISTRY", file.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string input(reinterpret_cast<const char*>(bytes), size);
    const std::size_t lf = input.find('\n');
    std::string path = input.substr(0, lf);
    path.resize(std::strlen(path.c_str()));  // a C string
    const std::string rest = lf == std::string::npos ? "" : input.substr(lf + 1);
    const std::size_t nul = rest.find('\0');
    const std::string text = rest.substr(0, nul);
    const std::string spec = nul == std::string::npos ? "" : rest.substr(nul + 1);
    const std::string file = std::getenv("ZMS_REGISTRY");

    fuzz::WriteFile(file, text);
    CheckRaw(path);

    const Entry entry = MakeEntry(path);
    const Data data = MakeData(spec);
    std::string key = entry.root->name;
    for (std::size_t i = 0; i + 1 < entry.components.size(); ++i) key += "\\" + entry.components[i];
    // A line of the text that ends with a backslash goes on with the next one:
    // the comment line ends that, so the added section starts a line of its own.
    const std::string reg = "Windows Registry Editor Version 5.00\r\n" + text + "\n; end\n\n[" + key + "]\r\n" +
                            Quoted(entry.components.back()) + "=" + data.text + "\r\n";
    fuzz::WriteFile(file, reg);
    CheckRaw(path);

    const std::string expected = data.stored + '\0';
    for (const std::string& spelling : Spellings(entry)) {
        uint32_t type = 0xdead;
        char* got = ReadValue(spelling.c_str(), &type);
        const std::string where = "path [" + fuzz::Visible(spelling) + "]\nfile:\n" + fuzz::Visible(reg);
        if (spelling.size() > kRegistryPathMax) {
            if (got != nullptr) fuzz::Fail("a path over 260 bytes was read", where);
            continue;
        }
        if (got == nullptr)
            fuzz::Fail("the value was not read, error " + std::to_string(platform::LastErrorCode()), where);
        if (type != data.type || std::memcmp(got, expected.data(), expected.size()) != 0)
            fuzz::Fail("the value read is not the one stored: type " + std::to_string(type) + " [" +
                           fuzz::Visible(std::string(got, expected.size())) + "]",
                       where + "\nwant type " + std::to_string(data.type) + " [" + fuzz::Visible(expected) + "]");
        std::free(got);
    }
    return 0;
}
