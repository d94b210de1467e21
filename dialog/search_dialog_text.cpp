#include "dialog/search_dialog_text.h"

#include <cstdio>

#include "dialog/dialog_texts.h"

namespace zms::dialog {

namespace {

// A whole decimal number, nothing around it; -1 for anything else.
long ParseIndex(const std::string& s) {
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stol(s);
}

// A scope button's id, 1..4 standing for 1001..1004; 0 for anything else.
int ScopeFromArgument(const std::string& arg) {
    const long n = ParseIndex(arg);
    if (n >= 1 && n <= 4) return static_cast<int>(kIdFirstScope - 1 + n);
    return n >= kIdFirstScope && n <= kIdLastScope ? static_cast<int>(n) : 0;
}

}  // namespace

std::optional<Action> ReadAction(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string arg = space != std::string::npos ? line.substr(space + 1) : "";
    const long row = ParseIndex(arg);
    const int scope = ScopeFromArgument(arg);
    if (verb == "type") return Action{Action::kType, arg};
    if (verb == "pick" && row >= 0) return Action{Action::kPick, "", static_cast<int>(row)};
    if (verb == "scope" && scope) return Action{Action::kScope, "", scope};
    if (line == "check") return Action{Action::kCheck};
    if (line == "ok") return Action{Action::kOk};
    if (line == "esc") return Action{Action::kEsc};
    if (line == "close") return Action{Action::kClose};
    return std::nullopt;
}

int Act(View& v, const std::string& line) {
    const std::optional<Action> action = ReadAction(line);
    if (!action) return kActionUnknown;
    switch (action->kind) {
    case Action::kType: v.text = action->text; break;
    case Action::kPick:
        if (static_cast<std::size_t>(action->number) >= v.dropDown.size()) return kActionUnknown;
        v.text = v.dropDown[static_cast<std::size_t>(action->number)];
        break;
    case Action::kScope:
        v.scope = action->number;
        v.checkEnabled = CheckBoxEnabled(v.scope);
        break;
    case Action::kCheck:
        if (v.checkEnabled) v.checked = !v.checked;
        break;
    case Action::kOk: return Confirm(v.scope, v.checked, v.text);
    case Action::kEsc: return kResultCancel;
    case Action::kClose: return kResultClosed;
    }
    return kActionDone;
}

std::string Describe(const View& v) {
    std::string out = std::string(texts::kCaption) + "\n";
    out += "  [" + v.text + "]\n";
    for (std::size_t i = 0; i < v.dropDown.size(); ++i)
        out += "    " + std::to_string(i) + ": " + v.dropDown[i] + "\n";
    for (int id = kIdFirstScope; id <= kIdLastScope; ++id)
        out += std::string("  (") + (id == v.scope ? '*' : ' ') + ") " + texts::kScopes[id - kIdFirstScope] + "\n";
    out += std::string("  [") + (v.checked ? 'x' : ' ') + "] " + texts::kSpecialFolders +
           (v.checkEnabled ? "" : " (disabled)") + "\n";
    return out;
}

void PrintOpening(const View& v) {
    std::string line = "dialog: scope=" + std::to_string(v.scope) + " check=" + (v.checked ? "1" : "0") +
                       (v.checkEnabled ? "" : "(disabled)") + " text=[" + v.text + "] list=[";
    for (std::size_t i = 0; i < v.dropDown.size(); ++i) line += (i ? "|" : "") + v.dropDown[i];
    line += "]\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace zms::dialog
