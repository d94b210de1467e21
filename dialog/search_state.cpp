#include "dialog/search_state.h"

namespace zms {

// Natively start-up runs from the library's constructor, which may come before
// this file's own initialisation: the state is initialised first.
__attribute__((init_priority(101))) SearchState g_search;

}  // namespace zms
