// The modal search dialog.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "dialog/search_dialog_logic.h"

namespace zms::dialog {

// What the hint line under the scope frame says of the query line's text
// (code page 932); none: the line stays empty.
using HintFn = std::function<std::string(const std::string&)>;

// Runs the dialog owned by the window `owner`, opening with `view`; returns
// how it ended and, on OK, what the user chose. Nothing is stored here. The
// Win32 view shows `hint` of the query line at opening and at every change of
// its text (typed, pasted, picked from the drop-down); the others show none.
Answer RunSearchDialog(std::intptr_t owner, const View& view, const HintFn& hint = {});

}  // namespace zms::dialog
