// The modal search dialog.
#pragma once
#include <cstdint>

namespace zms {

// Runs the dialog owned by the window `owner`; returns one of the results of
// dialog/search_dialog_logic.h.
int RunSearchDialog(std::intptr_t owner);

}  // namespace zms
