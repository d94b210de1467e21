// "fav:" queries: store, remove or recall a named query in the profile.
#pragma once
#include <string>

#include "settings/profile_store.h"

namespace zms {

// What a "fav:" query did.
struct FavoriteOutcome {
    bool search;  // the search goes on with the query (a recall replaced it)
    // A store or removal that did not reach the file: what failed (a text of
    // japanese_texts.h) and why; both empty otherwise.
    std::string failure{};
    std::string reason{};
};

// What a query that begins with "fav:" asks for: no space, a recall of the
// name after "fav:"; a space right after it, a search of the query as it is;
// else a store of the definition after the first space under the name before
// it, or its removal when the definition is "" (two double quotes).
struct FavoriteLine {
    enum Kind { kRecall, kSearchAsText, kStore, kRemove } kind;
    std::string name{};
    std::string definition{};
};
FavoriteLine ReadFavoriteLine(const std::string& query);

// `query` begins with "fav:". A store or a removal ends the call; a recall
// replaces `query` by the stored text and the search goes on.
FavoriteOutcome RunFavorite(const ProfileStore& store, std::string& query);

}  // namespace zms
