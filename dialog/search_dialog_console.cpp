// The search dialog on a terminal, for the native build: the dialog is shown as
// text on standard error and a person (or a script piped into standard input)
// answers one action a line, with the action words of dialog::Act. The
// terminal speaks UTF-8, the dialog code page 932: text is converted both ways
// at this edge only. The end of input is the close box.
#include <string>

#include "dialog/search_dialog.h"
#include "dialog/search_dialog_logic.h"
#include "platform/console.h"

namespace zms {

namespace {

constexpr char kActions[] =
    "actions: type TEXT | pick N | scope 1-4 | check | ok | esc | close\n";

void Show(const dialog::Session& session) {
    platform::WriteToTerminal(platform::TerminalFromCp932(dialog::Describe(session)));
}

}  // namespace

int RunSearchDialog(std::intptr_t /*owner*/) {
    dialog::Session session = dialog::Begin();
    Show(session);
    platform::WriteToTerminal(kActions);
    for (std::string line; platform::ReadInputLine(line);) {
        const int result = dialog::Act(session, platform::Cp932FromTerminal(line));
        if (result == dialog::kActionUnknown) {
            platform::WriteToTerminal("? " + line + "\n" + kActions);
        } else if (result != dialog::kActionDone) {
            return result;
        } else {
            Show(session);
        }
    }
    return dialog::kResultClosed;
}

}  // namespace zms
