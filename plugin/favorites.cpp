#include "plugin/favorites.h"

#include <optional>
#include <utility>

#include "platform/message.h"
#include "plugin/japanese_texts.h"
#include "plugin/search.h"
#include "settings/profile_settings.h"

namespace zms {

FavoriteLine ReadFavoriteLine(const std::string& query) {
    const std::size_t prefix = kFavoritePrefix.size(), space = query.find(' ');
    if (space == std::string::npos) return {FavoriteLine::kRecall, query.substr(prefix)};
    if (space == prefix) return {FavoriteLine::kSearchAsText};
    const std::string definition = query.substr(space + 1);
    return {definition == "\"\"" ? FavoriteLine::kRemove : FavoriteLine::kStore,
            query.substr(prefix, space - prefix), definition};
}

FavoriteOutcome RunFavorite(const ProfileStore& store, std::string& query) {
    const FavoriteLine line = ReadFavoriteLine(query);
    if (line.kind == FavoriteLine::kRecall) {
        if (std::optional<std::string> value = settings::ReadFavorite(store, line.name)) query = std::move(*value);
        return {true};
    }
    if (line.kind == FavoriteLine::kSearchAsText) return {true};
    const bool removal = line.kind == FavoriteLine::kRemove;
    const char* failure = removal ? texts::kFavoriteNotRemoved : texts::kFavoriteNotStored;
    if (!settings::FavoriteStorable(line.name, removal ? nullptr : line.definition.c_str()))
        return {false, failure, texts::kFavoriteRefused};
    const bool written =
        removal ? settings::RemoveFavorite(store, line.name) : settings::WriteFavorite(store, line.name, line.definition);
    if (!written) return {false, failure, platform::LastErrorText()};
    return {false};
}

}  // namespace zms
