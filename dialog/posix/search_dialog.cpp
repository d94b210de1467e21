// The search dialog on a terminal, for the native build: what it shows on
// opening is printed as one line on standard output, the dialog is drawn as
// text on standard error, and a person (or a script piped into standard
// input) answers one action a line, in the words of dialog::ReadAction. The
// terminal speaks UTF-8, the dialog code page 932: the drawing and the actions
// are converted both ways at this edge only.
#include <string>

#include "dialog/search_dialog.h"
#include "dialog/search_dialog_script.h"
#include "platform/terminal.h"

namespace zms {

namespace {

constexpr char kActions[] =
    "actions: type TEXT | pick N | scope 1-4 | check | ok | esc | close\n";

void Show(const dialog::View& view) {
    platform::WriteToTerminal(platform::TerminalFromCp932(dialog::Describe(view)));
}

}  // namespace

dialog::Answer dialog::RunSearchDialog(std::intptr_t /*owner*/, const View& opening,
                                       const HintFn& /*hint*/) {
    dialog::View view = opening;
    dialog::PrintOpening(view);
    Show(view);
    platform::WriteToTerminal(kActions);
    for (std::string line; platform::ReadInputLine(line);) {
        const dialog::Acted acted = dialog::Act(view, platform::Cp932FromTerminal(line));
        if (acted.status == dialog::Acted::kUnknown) {
            platform::WriteToTerminal("? " + line + "\n" + kActions);
        } else if (acted.status == dialog::Acted::kEnded) {
            return acted.answer;
        } else {
            Show(view);
        }
    }
    return {dialog::kResultClosed};
}

}  // namespace zms
