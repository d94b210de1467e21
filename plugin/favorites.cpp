#include "plugin/favorites.h"

#include <optional>
#include <utility>

#include "platform/message.h"
#include "plugin/japanese_texts.h"
#include "plugin/search.h"
#include "settings/profile_settings.h"

namespace zms {

constexpr std::size_t kPrefixLength = kFavoritePrefix.size();

FavoriteOutcome RunFavorite(std::string& query) {
    std::size_t space = query.find(' ');
    if (space == std::string::npos) {
        if (std::optional<std::string> value = settings::ReadFavorite(query.substr(kPrefixLength)))
            query = std::move(*value);
        return {true};
    }
    if (space == kPrefixLength) return {true};  // "fav: ..." is searched as it is
    const std::string name = query.substr(kPrefixLength, space - kPrefixLength);
    const std::string definition = query.substr(space + 1);
    const bool removal = definition == "\"\"";
    const char* failure = removal ? texts::kFavoriteNotRemoved : texts::kFavoriteNotStored;
    if (!settings::FavoriteStorable(name, removal ? nullptr : definition.c_str()))
        return {false, failure, texts::kFavoriteRefused};
    const bool written = removal ? settings::RemoveFavorite(name) : settings::WriteFavorite(name, definition);
    if (!written) return {false, failure, platform::LastErrorText()};
    return {false};
}

}  // namespace zms
