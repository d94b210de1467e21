// What the search dialog does to the state, apart from any window: the views
// (the Win32 dialog, the console, a script) call these.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/scope.h"

namespace zms::dialog {

// Results of a modal run.
inline constexpr int kResultQuery = 1;   // OK with a non-empty query line
inline constexpr int kResultCancel = 2;  // OK with an empty line, or Esc
inline constexpr int kResultClosed = 16;  // the window was closed

// The special-folders check box only means something for a whole account.
bool CheckBoxEnabled(Scope scope);

// OK. `checkedScope` is the first checked scope button (none when none is),
// the check box's state counts even while it is disabled, `text` is the query
// line. Saves scope and check box, records a non-empty query; the result.
int Confirm(std::optional<Scope> checkedScope, bool checked, const std::string& text);

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

// What the dialog shows: on opening, and while it is open in a view without
// windows of its own (the console), which keeps it. Nothing of it is stored
// before OK.
struct View {
    std::vector<std::string> dropDown;  // the history in its own order, blanks as empty rows
    std::string text;                   // the query line
    Scope scope;                        // the checked scope button
    bool checked;                       // the check box
    bool checkEnabled;
};
// On opening: the process-wide state, the initial edit text in the query line.
View Open();

}  // namespace zms::dialog
