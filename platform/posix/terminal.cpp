#include "platform/terminal.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace zms::platform {

namespace {

// One iconv descriptor per conversion, opened for the call: the console reads
// a line at a time, so the cost does not matter.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; where iconv stops at a byte it cannot take,
    // `onBadByte` gets that byte and conversion goes on after it.
    template <typename OnBadByte>
    std::string Run(const std::string& in, OnBadByte onBadByte) {
        std::string out;
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char buffer[256];
        while (left > 0) {
            char* dst = buffer;
            std::size_t room = sizeof buffer;
            std::size_t r = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
            // EILSEQ or EINVAL (a sequence cut off at the end): one byte as is.
            onBadByte(out, *src);
            ++src;
            --left;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool ReadInputLine(std::string& line) {
    char* buffer = nullptr;
    std::size_t size = 0;
    ssize_t n = getline(&buffer, &size, stdin);
    if (n < 0) {
        std::free(buffer);
        return false;
    }
    line.assign(buffer, static_cast<std::size_t>(n));
    std::free(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void WriteToTerminal(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
}

std::string TerminalFromCp932(const std::string& cp932) {
    Converter c("UTF-8", "CP932");
    if (!c.ok()) return cp932;
    return c.Run(cp932, [](std::string& out, char) { out += '?'; });
}

std::string Cp932FromTerminal(const std::string& utf8) {
    Converter c("CP932", "UTF-8");
    if (!c.ok()) return utf8;
    // A character code page 932 lacks stops iconv at its first byte; its
    // continuation bytes then stop it one by one, so it is kept whole.
    return c.Run(utf8, [](std::string& out, char byte) { out += byte; });
}

}  // namespace zms::platform
