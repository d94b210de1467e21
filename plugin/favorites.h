// "fav:" queries: store, remove or recall a named query in the profile.
#pragma once
#include <string>

namespace zms {

// `query` begins with "fav:". Returns false when the call ends here (a store
// or a removal); true when the search goes on with `query`, which a recall
// replaced by the stored text.
bool RunFavorite(std::string& query);

}  // namespace zms
