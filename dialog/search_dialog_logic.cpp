#include "dialog/search_dialog_logic.h"

#include <utility>

#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "settings/profile_settings.h"

namespace zms {

// Natively start-up runs from the library's constructor, which may come before
// this file's own initialisation: the state is initialised first.
__attribute__((init_priority(101))) SearchState g_search;

}  // namespace zms

namespace zms::dialog {

bool SpecialFoldersEnabled(Scope s) { return s == Scope::kAccount || s == Scope::kAllAccounts; }

Answer Confirm(Scope opened, std::optional<Scope> checkedScope, bool specialFolders, std::string text) {
    const int result = text.empty() ? kResultCancel : kResultQuery;
    return {result, Choice{checkedScope.value_or(opened), specialFolders, std::move(text)}};
}

bool Keep(const Answer& answer) {
    if (!answer.chosen) return true;
    const Choice& choice = *answer.chosen;
    g_search.scope = choice.scope;
    g_search.specialFolders = choice.specialFolders;
    const bool choiceSaved = settings::WriteDialogChoice(choice.scope, choice.specialFolders);
    if (choice.query.empty()) return choiceSaved;
    QueryHistory::Record(choice.query);
    return QueryHistory::Save() && choiceSaved;
}

bool ShouldCloseInputMethod() { return settings::CloseInputMethodOnOpen(); }

Point CentredPosition(const Rect& desktop, const Rect& dialog) {
    // In 64 bits: a hostile rectangle must not overflow the sums.
    const int64_t w = int64_t{dialog.right} - dialog.left, h = int64_t{dialog.bottom} - dialog.top;
    int64_t x = (int64_t{desktop.left} + desktop.right) / 2 - w / 2;
    int64_t y = (int64_t{desktop.top} + desktop.bottom) / 2 - h / 2;
    if (x < desktop.left) x = desktop.left;
    else if (x + w > desktop.right) x = desktop.right - w;
    if (y < desktop.top) y = desktop.top;
    else if (y + h > desktop.bottom) y = desktop.bottom - h;
    return {static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

View Open() {
    View v;
    for (std::size_t k = 0; k < QueryHistory::Size(); ++k) v.dropDown.push_back(QueryHistory::At(k));
    v.text = g_search.initialEditText;
    v.scope = g_search.scope;
    v.specialFolders = g_search.specialFolders;
    v.specialFoldersEnabled = SpecialFoldersEnabled(g_search.scope);
    return v;
}

}  // namespace zms::dialog
