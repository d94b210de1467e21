// A whole call of `search` against a host inside the process, with whatever
// profile file, macro text, query and dialog answers the input holds.
//
// Input: byte 0 the host's answers (bit 0 inside the mail program, bit 1 main
// window running, bits 2-3 main, grep or other window, bit 4 null account,
// bit 5 null folder), byte 1 the scope button clicked (kScopes[n % 4], or none),
// byte 2 the check box clicked or not, byte 3 how the dialog ends (OK, Esc,
// close box); the rest, split at NUL bytes, is the macro text, the query typed
// (or none, leaving the initial text), and the profile file's bytes.
// Checks: `search` returns 0; the host is called only through bound entries;
// after OK with a query the hand-over is complete (SetFindPack, StartDoGrep,
// PushFindPack in this order) unless a favourite was stored, or nothing at
// all follows the dialog on Esc and close; the profile file still reads back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "plugin/favorites.h"
#include "plugin/plugin_state.h"
#include "plugin/query_context.h"
#include "plugin/search.h"
#include "query/query_translator.h"
#include "settings/profile_settings.h"
#include "settings/profile_store.h"
#include "tests/unit/fake_host.h"
#include "tests/unit/test_env.h"

namespace {

using namespace zms;

std::vector<std::string> Split(const std::string& s, std::size_t parts) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (out.size() + 1 < parts) {
        std::size_t nul = s.find('\0', start);
        if (nul == std::string::npos) break;
        out.push_back(s.substr(start, nul - start));
        start = nul + 1;
    }
    out.push_back(s.substr(std::min(start, s.size())));
    out.resize(parts);
    return out;
}

}  // namespace

// The scripted dialog prints what it showed on opening, a line a search: not
// wanted in the fuzzer's log (libFuzzer itself writes to standard error).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!std::freopen("/dev/null", "w", stdout)) fuzz::Fail("cannot silence standard output");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const uint8_t hostBits = data[0], scopeByte = data[1], checkByte = data[2], endByte = data[3];
    const std::vector<std::string> parts =
        Split(std::string(reinterpret_cast<const char*>(data) + 4, size - 4), 3);
    const std::string& macro = parts[0];
    const std::string& typed = parts[1];
    const std::string& profileBytes = parts[2];
    // A line break would end the scripted dialog's line; the real query line
    // holds one line too.
    if (typed.find_first_of("\r\n") != std::string::npos) return 0;

    const std::string path = fuzz::ScratchDir() + "/ZentoroMailSearch.ini";
    fuzz::WriteFile(path, profileBytes);
    PluginState state(path);
    const ProfileStore& store = state.profile;
    state.history.Load(store);
    // "help:" starts a program: not in a fuzz loop. The line OK confirms is
    // what was typed, else the macro's first line when it holds no space (with
    // a space it comes quoted); it is trimmed as the search trims it, with
    // this profile's option, and a recalled favourite may hold "help:" too.
    const std::string macroLine = macro.substr(0, macro.find("\r\n"));
    std::string confirmedLine = !typed.empty()                           ? typed
                                : macroLine.find(' ') == std::string::npos ? macroLine
                                                                           : std::string();
    TrimQuery(confirmedLine, SearchQueryContext(store, state.host));
    if (CommandOf(confirmedLine) == Command::kFavorite &&
        ReadFavoriteLine(confirmedLine).kind == FavoriteLine::kRecall)
        confirmedLine = settings::ReadFavorite(store, ReadFavoriteLine(confirmedLine).name).value_or(confirmedLine);
    if (confirmedLine == kHelpCommand) return 0;

    test::FakeHost host(state.host);
    host.answers.inside = hostBits & 1;
    host.answers.mainWnd = (hostBits & 2) ? 0x10010 : 0;
    host.answers.isMain = ((hostBits >> 2) & 3) == 0;
    host.answers.isGrep = ((hostBits >> 2) & 3) == 1;
    if (hostBits & 16) host.answers.account = nullptr;
    if (hostBits & 32) host.answers.folder = nullptr;

    std::string script;
    if (!typed.empty()) script += "type " + typed + "\n";
    if (scopeByte & 4)
        script += "scope " + std::to_string(ScopeNumber(kScopes[scopeByte % 4])) + "\n";
    if (checkByte & 1) script += "check\n";
    const int end = endByte % 3;
    script += end == 0 ? "ok\n" : end == 1 ? "esc\n" : "close\n";
    test::SetEnvironment("ZMS_DIALOG_SCRIPT", script.c_str());

    const std::size_t historyBefore = state.history.Entries().size();
    if (Search(state, macro.c_str()) != 0) fuzz::Fail("search returned nonzero");

    const std::vector<std::string>& j = host.journal;
    const bool reached = host.answers.inside && host.answers.mainWnd;
    std::size_t afterDialog = 0;
    while (afterDialog < j.size() && j[afterDialog] != "MainWnd") ++afterDialog;
    if (afterDialog < j.size()) ++afterDialog;
    if (!reached && afterDialog < j.size()) fuzz::Fail("host called after a refusal", j[afterDialog]);
    const bool confirmed = reached && end == 0 && state.history.Entries().size() > historyBefore;
    if (!confirmed && reached && afterDialog < j.size() && end != 0)
        fuzz::Fail("host called after Esc or close", j[afterDialog]);
    if (confirmed && !j.empty()) {
        std::string query = state.history.Entries().at(0);
        TrimQuery(query, SearchQueryContext(store, state.host));
        const bool favorite = CommandOf(query) == Command::kFavorite;
        const FavoriteLine::Kind kind = favorite ? ReadFavoriteLine(query).kind : FavoriteLine::kRecall;
        const bool stored = kind == FavoriteLine::kStore || kind == FavoriteLine::kRemove;
        const bool handedOver = j.back() == "PushFindPack" || j.back() == "ExecAtMain(PushFindPack)";
        if (!stored && !handedOver) fuzz::Fail("no complete hand-over", j.back());
    }
    // The file the search wrote to must still read.
    if (!store.ReadText("Config", "radio")) fuzz::Fail("profile unreadable after the search");
    return 0;
}
