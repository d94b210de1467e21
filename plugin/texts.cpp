#include "plugin/texts.h"

namespace zms::texts {

const char kNotInMailProgram[] = "このマクロはゼントロからは起動できません。";
const char kMainNotRunning[] = "ゼントロメール本体が起動してなければなりません。";
const char kHostLibraryMissing[] = "VRInfo.dll を読み込めないため、検索できません。";
const char kDefaultFolders[] = "受信+送信済み+ユーザー";

}  // namespace zms::texts
