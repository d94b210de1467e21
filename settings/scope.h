// The scope of a search, as the dialog's buttons offer it and the profile
// keeps it. Its numbers are the ones its words take (the dialog's "scope"
// action and opening line, zms-translate --scope).
#pragma once
#include <optional>

namespace zms {

enum class Scope {
    kFolder = 1001,               // the current folder
    kFolderAndSubfolders = 1002,  // the current folder and the folders below it
    kAccount = 1003,              // the current account
    kAllAccounts = 1004,          // every account
};
inline constexpr Scope kScopes[] = {Scope::kFolder, Scope::kFolderAndSubfolders, Scope::kAccount,
                                    Scope::kAllAccounts};

constexpr int ScopeNumber(Scope scope) { return static_cast<int>(scope); }
// The scope's place in kScopes, from 0.
constexpr int ScopeIndex(Scope scope) { return ScopeNumber(scope) - ScopeNumber(Scope::kFolder); }
// The scope of a number; nothing for a number no scope has.
constexpr std::optional<Scope> ScopeNumbered(long number) {
    if (number < ScopeNumber(Scope::kFolder) || number > ScopeNumber(Scope::kAllAccounts))
        return {};
    return static_cast<Scope>(number);
}

// Whether it also looks in the folders below the current one (",subfolder=1").
constexpr bool CoversSubfolders(Scope scope) { return scope == Scope::kFolderAndSubfolders; }

}  // namespace zms
