#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

namespace zms::platform {

namespace {

constexpr UINT kCp932 = 932;

// MultiByteToWideChar with MB_ERR_INVALID_CHARS refuses a whole string for one
// bad byte, so the conversions go a character at a time.
bool Cp932CharToWide(const char* bytes, int size, std::wstring& out) {
    wchar_t wide[2];
    int n = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes, size, wide, 2);
    if (n <= 0) return false;
    out.append(wide, static_cast<std::size_t>(n));
    return true;
}

std::string WideToUtf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &out[0], n, nullptr, nullptr);
    return out;
}

// The length of the well-formed UTF-8 sequence at `s` (at most `left` bytes),
// or 0 when there is none.
std::size_t Utf8SequenceLength(const unsigned char* s, std::size_t left) {
    std::size_t n;
    unsigned min;
    unsigned cp;
    if (s[0] < 0x80) return 1;
    if ((s[0] & 0xE0) == 0xC0) n = 2, min = 0x80, cp = s[0] & 0x1F;
    else if ((s[0] & 0xF0) == 0xE0) n = 3, min = 0x800, cp = s[0] & 0x0F;
    else if ((s[0] & 0xF8) == 0xF0) n = 4, min = 0x10000, cp = s[0] & 0x07;
    else return 0;
    if (n > left) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// One UTF-8 character in code page 932, or false when the code page lacks it.
bool Utf8CharToCp932(const char* bytes, int size, std::string& out) {
    wchar_t wide[2];
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, size, wide, 2);
    if (n <= 0) return false;
    char narrow[4];
    BOOL usedDefault = FALSE;
    int m = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide, n, narrow, sizeof narrow, nullptr,
                                &usedDefault);
    if (m <= 0 || usedDefault) return false;
    out.append(narrow, static_cast<std::size_t>(m));
    return true;
}

}  // namespace

// The C runtime opens the standard streams in text mode, which would turn LF
// into CR LF on output and drop CRs (and stop at 0x1A) on input.
void SetBinaryStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

bool ReadInputLine(std::string& line) {
    line.clear();
    char buffer[512];
    bool any = false;
    while (fgets(buffer, sizeof buffer, stdin)) {
        any = true;
        line += buffer;
        if (!line.empty() && line.back() == '\n') break;
    }
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

void WriteToTerminal(const std::string& bytes) {
    fwrite(bytes.data(), 1, bytes.size(), stderr);
    fflush(stderr);
}

std::string TerminalFromCp932(const std::string& cp932) {
    std::wstring wide;
    for (std::size_t i = 0; i < cp932.size();) {
        const bool lead = IsDBCSLeadByteEx(kCp932, static_cast<BYTE>(cp932[i])) && i + 1 < cp932.size();
        const int size = lead ? 2 : 1;
        if (!Cp932CharToWide(&cp932[i], size, wide)) {
            // As iconv does: the bad byte goes, the next one starts afresh.
            wide += L'?';
            i += 1;
            continue;
        }
        i += static_cast<std::size_t>(size);
    }
    return WideToUtf8(wide);
}

std::string Cp932FromTerminal(const std::string& utf8) {
    std::string out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = Utf8SequenceLength(bytes + i, utf8.size() - i);
        if (n == 0) {
            out += utf8[i++];
            continue;
        }
        if (!Utf8CharToCp932(&utf8[i], static_cast<int>(n), out)) out.append(utf8, i, n);
        i += n;
    }
    return out;
}

}  // namespace zms::platform
