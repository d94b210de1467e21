#include "dialog/search_dialog_logic.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "dialog/dialog_texts.h"
#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "settings/profile_store.h"

namespace zms::dialog {

bool CheckBoxEnabled(int scope) { return scope == kScopeAccount || scope == kScopeAllAccounts; }

int Confirm(int checkedScope, bool checked, const std::string& text) {
    if (checkedScope >= kIdFirstScope && checkedScope <= kIdLastScope) g_search.scope = checkedScope;
    g_search.check = checked;
    if (g_profileStore) {
        const char radio[2] = {static_cast<char>('1' + (g_search.scope - kScopeFolder)), '\0'};
        g_profileStore->WriteString("Config", "radio", radio);
        g_profileStore->WriteString("Config", "check", g_search.check ? "TRUE" : "FALSE");
    }
    if (text.empty()) return kResultCancel;
    QueryHistory::record(text);
    QueryHistory::save();
    return kResultQuery;
}

bool ShouldCloseInputMethod() { return ProfileOptionOn("IME", "control"); }

Point CentredPosition(const Rect& desktop, const Rect& dialog) {
    // In 64 bits: a hostile rectangle must not overflow the sums.
    const int64_t w = int64_t{dialog.right} - dialog.left, h = int64_t{dialog.bottom} - dialog.top;
    int64_t x = (int64_t{desktop.left} + desktop.right) / 2 - w / 2;
    int64_t y = (int64_t{desktop.top} + desktop.bottom) / 2 - h / 2;
    if (x < desktop.left) x = desktop.left;
    else if (x + w > desktop.right) x = desktop.right - w;
    if (y < desktop.top) y = desktop.top;
    else if (y + h > desktop.bottom) y = desktop.bottom - h;
    return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

}  // namespace zms::dialog

namespace zms::dialog {

OpeningView Open() {
    OpeningView v;
    for (std::size_t k = 0; k < QueryHistory::size(); ++k) v.dropDown.push_back(QueryHistory::at(k));
    v.text = g_search.initialEditText;
    v.checkedScope = g_search.scope;
    v.checked = g_search.check;
    v.checkEnabled = CheckBoxEnabled(g_search.scope);
    return v;
}

}  // namespace zms::dialog

namespace zms::dialog {

namespace {

// A whole decimal number, nothing around it; -1 for anything else.
long ParseIndex(const std::string& s) {
    if (s.empty() || s.size() > 9) return -1;
    long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

int ScopeFromArgument(const std::string& arg) {
    long n = ParseIndex(arg);
    if (n >= 1 && n <= 4) return static_cast<int>(kIdFirstScope - 1 + n);
    if (n >= kIdFirstScope && n <= kIdLastScope) return static_cast<int>(n);
    return 0;
}

}  // namespace

Session Begin() {
    OpeningView v = Open();
    return {std::move(v.dropDown), std::move(v.text), v.checkedScope, v.checked, v.checkEnabled};
}

int Act(Session& s, std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const bool hasArg = space != std::string::npos;
    const std::string arg = hasArg ? line.substr(space + 1) : "";
    if (verb == "type" && hasArg) {
        s.text = arg;
    } else if (verb == "type" && line == "type") {
        s.text.clear();
    } else if (verb == "pick") {
        long row = ParseIndex(arg);
        if (row < 0 || static_cast<std::size_t>(row) >= s.dropDown.size()) return kActionUnknown;
        s.text = s.dropDown[static_cast<std::size_t>(row)];
    } else if (verb == "scope") {
        int id = ScopeFromArgument(arg);
        if (!id) return kActionUnknown;
        s.scope = id;
        s.checkEnabled = CheckBoxEnabled(id);
    } else if (line == "check") {
        if (s.checkEnabled) s.checked = !s.checked;
    } else if (line == "ok") {
        return Confirm(s.scope, s.checked, s.text);
    } else if (line == "esc") {
        return kResultCancel;
    } else if (line == "close") {
        return kResultClosed;
    } else {
        return kActionUnknown;
    }
    return kActionDone;
}

std::string Describe(const Session& s) {
    std::string out = std::string(texts::kCaption) + "\n";
    out += "  [" + s.text + "]\n";
    for (std::size_t i = 0; i < s.dropDown.size(); ++i)
        out += "    " + std::to_string(i) + ": " + s.dropDown[i] + "\n";
    for (int id = kIdFirstScope; id <= kIdLastScope; ++id)
        out += std::string("  (") + (id == s.scope ? '*' : ' ') + ") " + texts::kScopes[id - kIdFirstScope] + "\n";
    out += std::string("  [") + (s.checked ? 'x' : ' ') + "] " + texts::kSpecialFolders +
           (s.checkEnabled ? "" : " (disabled)") + "\n";
    return out;
}

}  // namespace zms::dialog
