// The modal search dialog.
#pragma once
#include <cstdint>

#include "dialog/search_dialog_logic.h"

namespace zms {

// Runs the dialog owned by the window `owner`; returns how it ended and, on
// OK, what the user chose. Nothing is stored: dialog::Keep does that.
dialog::Answer RunSearchDialog(std::intptr_t owner);

}  // namespace zms
