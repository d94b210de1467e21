#include "fake_host.h"

#include <cstdarg>

namespace zms::test {

namespace {

FakeHost* g_fake = nullptr;

std::string Quoted(const char* s) { return s ? "\"" + std::string(s) + "\"" : "null"; }
void Log(const std::string& line) { g_fake->journal.push_back(line); }

int32_t IsZentoroMail() { Log("IsZentoroMail"); return g_fake->answers.inside; }
int32_t MainWnd() { Log("MainWnd"); return g_fake->answers.mainWnd; }
int32_t IsMain() { Log("IsZentoroMailMain"); return g_fake->answers.isMain; }
int32_t IsGrep() { Log("IsZentoroMailGrep"); return g_fake->answers.isGrep; }
const char* CurrentFolder() { Log("CurrentFolder"); return g_fake->answers.folder; }
const char* YenEncode(const char* s) {
    static std::string out;
    out = "<" + std::string(s) + ">";
    return out.c_str();
}
void SetFindPack(const char* p) { Log("SetFindPack(" + Quoted(p) + ")"); }
void StartDoGrep(const char* a, const char* f) { Log("StartDoGrep(" + Quoted(a) + ", " + Quoted(f) + ")"); }
void PushFindPack() { Log("PushFindPack"); }
intptr_t ExecAtMain(const char* name, ...) {
    std::string n = name;
    va_list args;
    va_start(args, name);
    intptr_t result = 0;
    if (n == "CurrentAccount") {
        Log("ExecAtMain(CurrentAccount)");
        result = reinterpret_cast<intptr_t>(g_fake->answers.account);
    } else if (n == "CurrentFolder") {
        Log("ExecAtMain(CurrentFolder)");
        result = reinterpret_cast<intptr_t>(g_fake->answers.folder);
    } else if (n == "SetFindPack") {
        Log("ExecAtMain(SetFindPack, " + Quoted(va_arg(args, const char*)) + ")");
    } else if (n == "StartDoGrep") {
        const char* a = va_arg(args, const char*);
        const char* f = va_arg(args, const char*);
        Log("ExecAtMain(StartDoGrep, " + Quoted(a) + ", " + Quoted(f) + ")");
    } else {
        Log("ExecAtMain(" + n + ")");
    }
    va_end(args);
    return result;
}

}  // namespace

FakeHost::FakeHost(HostLink& h) {
    g_fake = this;
    h.IsZentoroMail = IsZentoroMail;
    h.MainWnd = MainWnd;
    h.IsZentoroMailMain = IsMain;
    h.IsZentoroMailGrep = IsGrep;
    h.CurrentFolder = CurrentFolder;
    h.YenEncode = YenEncode;
    h.SetFindPack = SetFindPack;
    h.StartDoGrep = StartDoGrep;
    h.PushFindPack = PushFindPack;
    h.ExecAtMain = ExecAtMain;
}

FakeHost::~FakeHost() { g_fake = nullptr; }

}  // namespace zms::test
