// The captions of the search dialog, in code page 932, as dialog template 101
// holds them: for the views that draw the dialog themselves and for the tests
// that read the real one back.
#pragma once

namespace zms::dialog::texts {

extern const char kCaption[];         // 検索
extern const char kScopeFrame[];      // 検索範囲
extern const char* const kScopes[4];  // buttons 1001..1004
extern const char kSpecialFolders[];  // check box 1005

}  // namespace zms::dialog::texts
