#include "dialog/search_dialog_logic.h"

#include <utility>


namespace zms::dialog {

bool SpecialFoldersEnabled(Scope s) { return s == Scope::kAccount || s == Scope::kAllAccounts; }

Answer Confirm(Scope opened, std::optional<Scope> checkedScope, bool specialFolders, std::string text) {
    const int result = text.empty() ? kResultCancel : kResultQuery;
    return {result, Choice{checkedScope.value_or(opened), specialFolders, std::move(text)}};
}

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

}  // namespace zms::dialog
