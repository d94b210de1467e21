// What the search dialog does, apart from any window: the views (the Win32
// dialog, the console, a script) call these. The dialog keeps nothing: it is
// given what it shows and returns what the user chose.
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
// before OK: what OK chose comes back in the Answer.
struct View {
    std::vector<std::string> dropDown;  // the history in its own order, blanks as empty rows
    std::string text;                   // the query line
    Scope scope;                        // the checked scope button
    bool specialFolders;                // the check box
    bool specialFoldersEnabled;
    bool closeInputMethod = false;      // an open input method is closed on opening
};

}  // namespace zms::dialog
