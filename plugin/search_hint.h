// The search dialog's hint line: what OK will do with the query line.
#pragma once
#include <string>

#include "dialog/search_dialog.h"
#include "query/query_translator.h"
#include "settings/profile_store.h"

namespace zms {

// In Japanese (code page 932), for the line as the search reads it (trimmed
// with `context`'s option): what can be typed for an empty line; what OK does
// with a "fav:", "help:" or "debug:" line; else query/'s QueryHint (the first
// trap's reason, or what will be searched).
// A recalled favourite is read from `store`.
std::string SearchHint(const std::string& line, const QueryContext& context, const ProfileStore& store);

// SearchHint as the dialog shows it: the fullwidth-space option read once, as
// the dialog opens; plain values as typed. The store outlives the dialog.
dialog::HintFn DialogHint(const ProfileStore& store);

}  // namespace zms
