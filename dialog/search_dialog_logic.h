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
bool SpecialFoldersEnabled(Scope scope);

// What the user chose by OK, whatever the query line held.
struct Choice {
    Scope scope;          // the first checked scope button
    bool specialFolders;  // the check box, counted even while it is disabled
    std::string query;    // the query line
};
// How a run of the dialog ended: its result, and the choice when OK ended it.
struct Answer {
    int result = kResultClosed;
    std::optional<Choice> chosen{};
};

// OK. `checkedScope` is the first checked scope button; with none checked the
// scope the dialog opened with stays. The dialog ends with kResultQuery for a
// non-empty query line, else with kResultCancel. Nothing is stored here.
Answer Confirm(Scope opened, std::optional<Scope> checkedScope, bool specialFolders, std::string text);

// What an answer leaves behind, in this order: on OK the scope and the check
// box, in the process-wide state and the profile, then a non-empty query at
// the top of the history, which is saved. Esc and the close box leave nothing.
// False when the profile file could not be written.
bool Keep(const Answer& answer);

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
    bool specialFolders;                // the check box
    bool specialFoldersEnabled;
};
// On opening: the process-wide state, the initial edit text in the query line.
View Open();

}  // namespace zms::dialog
