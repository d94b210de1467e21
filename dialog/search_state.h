// What the search dialog shows and keeps between calls of `search`.
#pragma once
#include <string>

#include "settings/scope.h"

namespace zms {

struct SearchState {
    Scope scope = Scope::kFolder;
    bool specialFolders = false;  // the check box: also the unsent, draft and trash folders
    std::string initialEditText;  // shown in the query line when the dialog opens
    bool unsavedTold = false;     // a message said that the settings were not saved
};

extern SearchState g_search;

}  // namespace zms
