// The search dialog answered by a script instead of a person, for the unit
// tests of `search`: ZMS_DIALOG_SCRIPT holds one action a line:
//   type TEXT   the query line becomes TEXT
//   pick N      the drop-down's row N is chosen
//   scope ID    the scope button ID (1001..1004) is clicked
//   check       the check box is clicked (no effect while it is disabled)
//   ok | esc | close   ends the dialog
// A script that ends without one of the last three closes the window. What
// the dialog showed on opening is printed to standard output.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dialog/search_dialog.h"
#include "dialog/search_dialog_logic.h"
#include "platform/environment.h"

namespace zms {

namespace {

void PrintOpening(const dialog::OpeningView& v) {
    std::string line = "dialog: scope=" + std::to_string(v.checkedScope) +
                       " check=" + (v.checked ? "1" : "0") + (v.checkEnabled ? "" : "(disabled)") +
                       " text=[" + v.text + "] list=[";
    for (std::size_t i = 0; i < v.dropDown.size(); ++i) line += (i ? "|" : "") + v.dropDown[i];
    line += "]\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

int RunSearchDialog(std::intptr_t /*owner*/) {
    dialog::OpeningView v = dialog::Open();
    PrintOpening(v);
    int scope = v.checkedScope;
    bool checked = v.checked, enabled = v.checkEnabled;
    std::string text = v.text;
    std::istringstream script(platform::GetEnvironment("ZMS_DIALOG_SCRIPT"));
    for (std::string line; std::getline(script, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string verb = line.substr(0, line.find(' '));
        std::string arg = line.size() > verb.size() ? line.substr(verb.size() + 1) : "";
        if (verb == "type") {
            text = arg;
        } else if (verb == "pick") {
            std::size_t row = std::strtoul(arg.c_str(), nullptr, 10);
            if (row < v.dropDown.size()) text = v.dropDown[row];
        } else if (verb == "scope") {
            int id = std::atoi(arg.c_str());
            if (id >= dialog::kIdFirstScope && id <= dialog::kIdLastScope) {
                scope = id;
                enabled = dialog::CheckBoxEnabled(id);
            }
        } else if (verb == "check") {
            if (enabled) checked = !checked;
        } else if (verb == "ok") {
            return dialog::Confirm(scope, checked, text);
        } else if (verb == "esc") {
            return dialog::kResultCancel;
        } else if (verb == "close") {
            return dialog::kResultClosed;
        }
    }
    return dialog::kResultClosed;
}

}  // namespace zms
