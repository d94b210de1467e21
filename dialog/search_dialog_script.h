// The search dialog's script: the actions of a person as lines of text, one
// a line, and the dialog written out as text; for the console view and for
// what answers the dialog in place of a person (the tests' scripted dialog,
// the driver of the real one). The Windows plug-in has windows instead and
// does not link this.
#pragma once
#include <optional>
#include <string>

#include "dialog/search_dialog_logic.h"

namespace zms::dialog {

// One action of a person, a line of code-page-932 bytes:
//   type TEXT   the query line becomes TEXT (which may be empty)
//   pick N      the drop-down's row N (from 0) is chosen
//   scope N     the scope numbered N is clicked: 1001..1004, or 1..4 for short
//   check       the check box is clicked; nothing happens while it is disabled
//   ok | esc | close   OK, the Esc key, the close box
// A trailing CR is ignored.
struct Action {
    enum Kind { kType, kPick, kScope, kCheck, kOk, kEsc, kClose } kind;
    std::string text{};            // kType: the new query line
    int row = 0;                   // kPick: the row
    Scope scope = Scope::kFolder;  // kScope: the scope clicked
};
// Nothing for a line that is no action or whose number is out of range.
std::optional<Action> ReadAction(std::string line);

// What Act makes of a line: an action done, the dialog still open; a line
// that is no action or picks a row the drop-down lacks (the view unchanged);
// or the end of the dialog, with its answer.
struct Acted {
    enum Status { kDone, kUnknown, kEnded } status;
    Answer answer{};
};
Acted Act(View& view, const std::string& line);

// The view as lines of text, in code page 932, for a view that prints it.
std::string Describe(const View& view);

// What the dialog shows on opening, as one line on standard output:
//   dialog: scope=1001 check=0(disabled) text=[QUERY] list=[ROW|ROW]
void PrintOpening(const View& view);

}  // namespace zms::dialog
