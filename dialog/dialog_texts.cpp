// Written in UTF-8, compiled to code page 932 (-fexec-charset=CP932).
#include "dialog/dialog_texts.h"

namespace zms::dialog::texts {

const char kCaption[] = "検索";
const char kScopeFrame[] = "検索範囲";
const char* const kScopes[4] = {
    "現在のフォルダ(&1)",
    "現在のフォルダ+サブフォルダ(&2)",
    "現在のアカウント(&3)",
    "すべてのアカウント(&4)",
};
const char kSpecialFolders[] = "未送信、草稿、ゴミ箱も検索する(&A)";

}  // namespace zms::dialog::texts
