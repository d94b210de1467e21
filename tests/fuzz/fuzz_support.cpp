#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zms::fuzz {

namespace fs = std::filesystem;

namespace {

std::string& Dir() {
    static std::string dir;
    return dir;
}

void RemoveDir() {
    std::error_code ignored;
    if (!Dir().empty()) fs::remove_all(Dir(), ignored);
}

}  // namespace

const std::string& ScratchDir() {
    if (Dir().empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string root = base && *base ? base : fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = root + "/zms-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) Fail("no scratch directory in " + root);
        Dir() = pattern;
        std::atexit(RemoveDir);
    }
    return Dir();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Visible(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

void Fail(const std::string& what, const std::string& detail) {
    std::fprintf(stderr, "\n*** %s\n%s\n", what.c_str(), detail.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace zms::fuzz
