// "fav:" queries: store, remove or recall a named query in the profile.
#pragma once
#include <string>

namespace zms {

// What a "fav:" query did.
struct FavoriteOutcome {
    bool search;  // the search goes on with the query (a recall replaced it)
    // A store or removal that did not reach the file: what failed (a text of
    // japanese_texts.h) and why; both empty otherwise.
    std::string failure{};
    std::string reason{};
};

// `query` begins with "fav:". A store or a removal ends the call; a recall
// replaces `query` by the stored text and the search goes on.
FavoriteOutcome RunFavorite(std::string& query);

}  // namespace zms
