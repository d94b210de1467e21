// Dialog template 101, the search dialog: its control ids and captions, once,
// for resources/search_dialog.rc (windres reads this file too: macros only,
// but for the C++ part below) and for the views, the driver and the tests.
// The captions are code page 932 bytes, each under its text as it reads.
#pragma once

#define ZMS_SEARCH_DIALOG 101

#define ZMS_ID_OK 1
#define ZMS_ID_CANCEL 2  // what the dialog manager sends for Esc
#define ZMS_ID_QUERY_LINE 1000
#define ZMS_ID_SCOPE_FOLDER 1001
#define ZMS_ID_SCOPE_SUBFOLDERS 1002
#define ZMS_ID_SCOPE_ACCOUNT 1003
#define ZMS_ID_SCOPE_ALL_ACCOUNTS 1004
#define ZMS_ID_SPECIAL_FOLDERS 1005
#define ZMS_ID_HINT 1006  // what the query line will do

// 検索
#define ZMS_TEXT_CAPTION "\x8c\x9f\x8d\xf5"
// 検索範囲
#define ZMS_TEXT_SCOPE_FRAME "\x8c\x9f\x8d\xf5\x94\xcd\x88\xcd"
// 現在のフォルダ(&1)
#define ZMS_TEXT_SCOPE_FOLDER "\x8c\xbb\x8d\xdd\x82\xcc\x83t\x83H\x83\x8b\x83_(&1)"
// 現在のフォルダ+サブフォルダ(&2)
#define ZMS_TEXT_SCOPE_SUBFOLDERS \
    "\x8c\xbb\x8d\xdd\x82\xcc\x83t\x83H\x83\x8b\x83_+\x83T\x83u\x83t\x83H\x83\x8b\x83_(&2)"
// 現在のアカウント(&3)
#define ZMS_TEXT_SCOPE_ACCOUNT "\x8c\xbb\x8d\xdd\x82\xcc\x83" "A\x83J\x83" "E\x83\x93\x83g(&3)"
// すべてのアカウント(&4)
#define ZMS_TEXT_SCOPE_ALL_ACCOUNTS \
    "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83" "A\x83J\x83" "E\x83\x93\x83g(&4)"
// 未送信、草稿、ゴミ箱も検索する(&A)
#define ZMS_TEXT_SPECIAL_FOLDERS                                                                 \
    "\x96\xa2\x91\x97\x90M\x81" "A\x91\x90\x8d" "e\x81" "A\x83S\x83~\x94\xa0\x82\xe0\x8c\x9f\x8d" \
    "\xf5\x82\xb7\x82\xe9(&A)"

#ifndef RC_INVOKED
#include "settings/scope.h"

namespace zms::dialog {

// The scope buttons' ids and captions, in the order of kScopes.
inline constexpr int kScopeButtons[] = {ZMS_ID_SCOPE_FOLDER, ZMS_ID_SCOPE_SUBFOLDERS,
                                        ZMS_ID_SCOPE_ACCOUNT, ZMS_ID_SCOPE_ALL_ACCOUNTS};
inline constexpr const char* kScopeCaptions[] = {
    ZMS_TEXT_SCOPE_FOLDER, ZMS_TEXT_SCOPE_SUBFOLDERS, ZMS_TEXT_SCOPE_ACCOUNT,
    ZMS_TEXT_SCOPE_ALL_ACCOUNTS};
constexpr int ScopeButton(Scope scope) { return kScopeButtons[ScopeIndex(scope)]; }

}  // namespace zms::dialog
#endif
