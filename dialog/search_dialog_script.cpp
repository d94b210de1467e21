#include "dialog/search_dialog_script.h"

#include <cstdio>
#include <iterator>

#include "dialog/search_dialog_template.h"

namespace zms::dialog {

namespace {

// A whole decimal number, nothing around it; -1 for anything else.
long ParseIndex(const std::string& s) {
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stol(s);
}

// A scope by its number, or by its place from 1 for short; nothing for
// anything else.
std::optional<Scope> ScopeFromArgument(const std::string& arg) {
    const long n = ParseIndex(arg);
    if (n >= 1 && n <= static_cast<long>(std::size(kScopes))) return kScopes[n - 1];
    return ScopeNumbered(n);
}

}  // namespace

std::optional<Action> ReadAction(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t space = line.find(' ');
    const std::string verb = line.substr(0, space);
    const std::string arg = space != std::string::npos ? line.substr(space + 1) : "";
    const long row = ParseIndex(arg);
    const std::optional<Scope> scope = ScopeFromArgument(arg);
    if (verb == "type") return Action{Action::kType, arg};
    if (verb == "pick" && row >= 0) return Action{Action::kPick, "", static_cast<int>(row)};
    if (verb == "scope" && scope) return Action{Action::kScope, "", 0, *scope};
    if (line == "check") return Action{Action::kCheck};
    if (line == "ok") return Action{Action::kOk};
    if (line == "esc") return Action{Action::kEsc};
    if (line == "close") return Action{Action::kClose};
    return std::nullopt;
}

Acted Act(View& v, const std::string& line) {
    const std::optional<Action> action = ReadAction(line);
    if (!action) return {Acted::kUnknown};
    switch (action->kind) {
    case Action::kType: v.text = action->text; break;
    case Action::kPick:
        if (static_cast<std::size_t>(action->row) >= v.dropDown.size()) return {Acted::kUnknown};
        v.text = v.dropDown[static_cast<std::size_t>(action->row)];
        break;
    case Action::kScope:
        v.scope = action->scope;
        v.specialFoldersEnabled = SpecialFoldersEnabled(v.scope);
        break;
    case Action::kCheck:
        if (v.specialFoldersEnabled) v.specialFolders = !v.specialFolders;
        break;
    case Action::kOk: return {Acted::kEnded, Confirm(v.scope, v.scope, v.specialFolders, v.text)};
    case Action::kEsc: return {Acted::kEnded, {kResultCancel}};
    case Action::kClose: return {Acted::kEnded, {kResultClosed}};
    }
    return {Acted::kDone};
}

std::string Describe(const View& v) {
    std::string out = std::string(ZMS_TEXT_CAPTION) + "\n";
    out += "  [" + v.text + "]\n";
    for (std::size_t i = 0; i < v.dropDown.size(); ++i)
        out += "    " + std::to_string(i) + ": " + v.dropDown[i] + "\n";
    for (Scope scope : kScopes)
        out += std::string("  (") + (scope == v.scope ? '*' : ' ') + ") " +
               kScopeCaptions[ScopeIndex(scope)] + "\n";
    out += std::string("  [") + (v.specialFolders ? 'x' : ' ') + "] " + ZMS_TEXT_SPECIAL_FOLDERS +
           (v.specialFoldersEnabled ? "" : " (disabled)") + "\n";
    return out;
}

void PrintOpening(const View& v) {
    std::string line = "dialog: scope=" + std::to_string(ScopeNumber(v.scope)) +
                       " check=" + (v.specialFolders ? "1" : "0") + (v.specialFoldersEnabled ? "" : "(disabled)") +
                       " text=[" + v.text + "] list=[";
    for (std::size_t i = 0; i < v.dropDown.size(); ++i) line += (i ? "|" : "") + v.dropDown[i];
    line += "]\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace zms::dialog
