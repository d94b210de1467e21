// What the search dialog does to the state, apart from any window: the views
// (the Win32 dialog, the console, a script) call these.
#pragma once
#include <cstdint>
#include <string>

namespace zms::dialog {

// Control ids of dialog template 101.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdQueryLine = 1000;
inline constexpr int kIdFirstScope = 1001;
inline constexpr int kIdLastScope = 1004;
inline constexpr int kIdSpecialFolders = 1005;

// Results of a modal run.
inline constexpr int kResultQuery = 1;   // OK with a non-empty query line
inline constexpr int kResultCancel = 2;  // OK with an empty line, or Esc
inline constexpr int kResultClosed = 16;  // the window was closed

// The special-folders check box only means something for a whole account.
bool CheckBoxEnabled(int scope);

// OK. `checkedScope` is the first checked scope button (0 when none is), the
// check box's state counts even while it is disabled, `text` is the query
// line. Saves scope and check box, records a non-empty query; the result.
int Confirm(int checkedScope, bool checked, const std::string& text);

// "IME"/"control" is exactly "1": an open input method is closed on opening.
bool ShouldCloseInputMethod();

struct Rect {
    int32_t left, top, right, bottom;
};
struct Point {
    int32_t x, y;
};
// Centred on the desktop; moved back inside it where it would stick out.
Point CentredPosition(const Rect& desktop, const Rect& dialog);

}  // namespace zms::dialog

#include <vector>

namespace zms::dialog {

// What the dialog shows when it opens.
struct OpeningView {
    std::vector<std::string> dropDown;  // the history in its own order, blanks as empty rows
    std::string text;                   // the query line: the initial edit text
    int checkedScope;                   // SearchScope
    bool checked;                       // the check-box flag
    bool checkEnabled;
};
OpeningView Open();

}  // namespace zms::dialog

namespace zms::dialog {

// A dialog that is open, as a view without windows of its own (the console)
// keeps it: what is shown now. Nothing of it is stored before OK.
struct Session {
    std::vector<std::string> dropDown;
    std::string text;  // the query line
    int scope;         // the checked scope button
    bool checked;
    bool checkEnabled;
};
Session Begin();

// What Act makes of a line that does not end the dialog.
inline constexpr int kActionDone = 0;
inline constexpr int kActionUnknown = -1;

// One action of a person, a line of code-page-932 bytes:
//   type TEXT   the query line becomes TEXT (which may be empty)
//   pick N      the drop-down's row N (from 0) is chosen
//   scope ID    the scope button ID is clicked: 1001..1004, or 1..4 for short
//   check       the check box is clicked; nothing happens while it is disabled
//   ok | esc | close   OK, the Esc key, the close box
// A trailing CR is ignored. The dialog's result when the action ends it, else
// kActionDone, or kActionUnknown for a line that is no action or whose
// argument is out of range (the session is then unchanged).
int Act(Session& session, std::string line);

// The session as lines of text, in code page 932, for a view that prints it.
std::string Describe(const Session& session);

}  // namespace zms::dialog
