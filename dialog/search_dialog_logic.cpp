#include "dialog/search_dialog_logic.h"

#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "settings/profile_settings.h"

namespace zms {

// Natively start-up runs from the library's constructor, which may come before
// this file's own initialisation: the state is initialised first.
__attribute__((init_priority(101))) SearchState g_search;

}  // namespace zms

namespace zms::dialog {

bool CheckBoxEnabled(Scope s) { return s == Scope::kAccount || s == Scope::kAllAccounts; }

int Confirm(std::optional<Scope> checkedScope, bool checked, const std::string& text) {
    if (checkedScope) g_search.scope = *checkedScope;
    g_search.specialFolders = checked;
    settings::WriteDialogChoice(g_search.scope, g_search.specialFolders);
    if (text.empty()) return kResultCancel;
    QueryHistory::record(text);
    QueryHistory::save();
    return kResultQuery;
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
    for (std::size_t k = 0; k < QueryHistory::size(); ++k) v.dropDown.push_back(QueryHistory::at(k));
    v.text = g_search.initialEditText;
    v.scope = g_search.scope;
    v.checked = g_search.specialFolders;
    v.checkEnabled = CheckBoxEnabled(g_search.scope);
    return v;
}

}  // namespace zms::dialog
