// What the search dialog shows and keeps between calls of `search`.
#pragma once
#include <string>

namespace zms {

inline constexpr int kScopeFolder = 1001;            // current folder
inline constexpr int kScopeFolderAndSubfolders = 1002;
inline constexpr int kScopeAccount = 1003;           // current account
inline constexpr int kScopeAllAccounts = 1004;

struct SearchState {
    int scope = kScopeFolder;   // SearchScope: the id of the checked scope button
    bool check = false;         // also search the unsent, draft and trash folders
    std::string initialEditText;  // shown in the query line when the dialog opens
};

extern SearchState g_search;

}  // namespace zms
