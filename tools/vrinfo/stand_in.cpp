// The stand-in host library (its exports: the entries stand_in.h declares).
// Everything it answers lives in one State; every exported entry is a thin
// wrapper that lets no exception out.
#include "tools/vrinfo/stand_in.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "tools/vrinfo/stand_in_escape.h"

namespace zms::stand_in {
namespace {

enum class Window { kMain, kGrep, kOther };

struct State {
    int32_t inside = 1;
    int32_t mainWnd = 0x00010010;
    Window window = Window::kMain;
    std::optional<std::string> account = std::string("user@example.jp");
    std::optional<std::string> folder = std::string("\x8e\xf3\x90M");  // 受信, the inbox
    int32_t version = 1;
    std::string journalFile;
    std::string journal;
    std::string encoded;  // what YenEncode handed out last
};

State& StandInState() {
    static State state;
    return state;
}

void Record(const std::string& line) {
    State& s = StandInState();
    s.journal += line + '\n';
    if (s.journalFile.empty()) return;
    if (std::FILE* f = std::fopen(s.journalFile.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

const char* Text(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

int32_t RecordInt(const char* entry, int32_t result) {
    Record(std::string(entry) + "() = " + std::to_string(result));
    return result;
}

const char* RecordText(const char* entry, const char* result) {
    Record(std::string(entry) + "() = " + StandInQuote(result));
    return result;
}

// A whole number, decimal or 0x-hex, possibly negative, cut to 32 bits.
std::optional<int32_t> ParseNumber(const char* value) {
    if (!value || !*value) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(value, &end, 0);
    if (*end || errno) return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(n)));
}

bool Set(const std::string& name, const char* value) {
    State& s = StandInState();
    const std::string v = value ? value : "";
    if (name == "inside" && value && (v == "0" || v == "1")) {
        s.inside = v == "1";
    } else if (name == "mainwnd" && ParseNumber(value)) {
        s.mainWnd = *ParseNumber(value);
    } else if (name == "version" && ParseNumber(value)) {
        s.version = *ParseNumber(value);
    } else if (name == "window" && (v == "main" || v == "grep" || v == "other")) {
        s.window = v == "main" ? Window::kMain : v == "grep" ? Window::kGrep : Window::kOther;
    } else if (name == "account") {
        s.account = value ? std::optional<std::string>(v) : std::nullopt;
    } else if (name == "folder") {
        s.folder = value ? std::optional<std::string>(v) : std::nullopt;
    } else if (name == "journal-file") {
        s.journalFile = v;
    } else {
        return false;
    }
    return true;
}

intptr_t ExecAtMain(const char* entry, va_list args) {
    const State& s = StandInState();
    const std::string name = entry ? entry : "";
    std::string line = "ExecAtMain(" + StandInQuote(entry);
    const char* text = nullptr;
    if (name == "CurrentAccount" || name == "CurrentFolder") {
        text = Text(name == "CurrentAccount" ? s.account : s.folder);
        line += ") = " + StandInQuote(text);
    } else if (name == "SetFindPack") {
        line += ", " + StandInQuote(va_arg(args, const char*)) + ")";
    } else if (name == "StartDoGrep") {
        const char* account = va_arg(args, const char*);
        const char* folder = va_arg(args, const char*);
        line += ", " + StandInQuote(account) + ", " + StandInQuote(folder) + ")";
    } else if (name == "PushFindPack") {
        line += ")";
    } else {
        line += ") = 0";
    }
    Record(line);
    return reinterpret_cast<intptr_t>(text);
}

// Runs `body`, which lets no exception out: one that it throws gives
// `fallback` (nothing for an entry without a result).
template <class T, class Body>
T Guarded(T fallback, Body body) {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}
template <class Body>
void Guarded(Body body) {
    try {
        body();
    } catch (...) {
    }
}

}  // namespace
}  // namespace zms::stand_in

using namespace zms::stand_in;
using zms::StandInQuote;

extern "C" {

int32_t ZMS_CDECL ZentoroMailVersion() {
    return Guarded(0, [] { return RecordInt("ZentoroMailVersion", StandInState().version); });
}

void ZMS_CDECL StartDoGrep(const char* account, const char* folder) {
    Guarded([&] { Record("StartDoGrep(" + StandInQuote(account) + ", " + StandInQuote(folder) + ")"); });
}

void ZMS_CDECL SetFindPack(const char* findPack) {
    Guarded([&] { Record("SetFindPack(" + StandInQuote(findPack) + ")"); });
}

const char* ZMS_CDECL CurrentAccount() {
    return Guarded<const char*>(nullptr,
                                [] { return RecordText("CurrentAccount", Text(StandInState().account)); });
}

const char* ZMS_CDECL CurrentFolder() {
    return Guarded<const char*>(nullptr,
                                [] { return RecordText("CurrentFolder", Text(StandInState().folder)); });
}

const char* ZMS_CDECL YenEncode(const char* text) {
    return Guarded<const char*>(nullptr, [&] {
        const char* result = nullptr;
        if (text) {
            StandInState().encoded = zms::StandInEscape(text);
            result = StandInState().encoded.c_str();
        }
        Record("YenEncode(" + StandInQuote(text) + ") = " + StandInQuote(result));
        return result;
    });
}

intptr_t ZMS_CDECL ExecAtMain(const char* entry, ...) {
    va_list args;
    va_start(args, entry);
    const intptr_t result =
        Guarded<intptr_t>(0, [&] { return zms::stand_in::ExecAtMain(entry, args); });
    va_end(args);
    return result;
}

int32_t ZMS_CDECL SetQuietMode() {
    return Guarded(0, [] { return RecordInt("SetQuietMode", 0); });
}

int32_t ZMS_CDECL IsZentoroMail() {
    return Guarded(0, [] { return RecordInt("IsZentoroMail", StandInState().inside); });
}

int32_t ZMS_CDECL IsZentoroMailMain() {
    return Guarded(0, [] { return RecordInt("IsZentoroMailMain", StandInState().window == Window::kMain); });
}

int32_t ZMS_CDECL IsZentoroMailGrep() {
    return Guarded(0, [] { return RecordInt("IsZentoroMailGrep", StandInState().window == Window::kGrep); });
}

int32_t ZMS_CDECL MainWnd() {
    return Guarded(0, [] { return RecordInt("MainWnd", StandInState().mainWnd); });
}

void ZMS_CDECL PushFindPack() {
    Guarded([] { Record("PushFindPack()"); });
}

int32_t ZMS_CDECL StandInSet(const char* name, const char* value) {
    return Guarded(0, [&] { return name && Set(name, value) ? 1 : 0; });
}

const char* ZMS_CDECL StandInJournal() {
    return Guarded<const char*>("", [] { return StandInState().journal.c_str(); });
}

void ZMS_CDECL StandInClearJournal() { StandInState().journal.clear(); }

}  // extern "C"
