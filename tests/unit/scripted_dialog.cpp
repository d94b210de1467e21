// The search dialog answered by a script instead of a person, for the unit
// tests of `search`: ZMS_DIALOG_SCRIPT holds one action a line, in the words
// of dialog::ReadAction; a line that is no action is passed over. A script
// that ends without ok, esc or close closes the window. What the dialog showed
// on opening is printed to standard output.
#include <sstream>
#include <string>

#include "dialog/search_dialog.h"
#include "dialog/search_dialog_script.h"
#include "tests/unit/test_env.h"

namespace zms {

dialog::Answer dialog::RunSearchDialog(std::intptr_t /*owner*/, const View& opening,
                                       const HintFn& /*hint*/) {
    dialog::View view = opening;
    dialog::PrintOpening(view);
    std::istringstream script(test::GetEnvironment("ZMS_DIALOG_SCRIPT"));
    for (std::string line; std::getline(script, line);) {
        const dialog::Acted acted = dialog::Act(view, line);
        if (acted.status == dialog::Acted::kEnded) return acted.answer;
    }
    return {dialog::kResultClosed};
}

}  // namespace zms
