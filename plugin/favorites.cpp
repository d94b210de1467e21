#include "plugin/favorites.h"

#include <optional>
#include <utility>

#include "settings/profile_settings.h"

namespace zms {

constexpr std::size_t kPrefixLength = 4;  // "fav:"

bool RunFavorite(std::string& query) {
    std::size_t space = query.find(' ');
    if (space == std::string::npos) {
        if (std::optional<std::string> value = settings::ReadFavorite(query.substr(kPrefixLength)))
            query = std::move(*value);
        return true;
    }
    if (space == kPrefixLength) return true;  // "fav: ..." is searched as it is
    const std::string name = query.substr(kPrefixLength, space - kPrefixLength);
    const std::string definition = query.substr(space + 1);
    if (definition == "\"\"") settings::RemoveFavorite(name);
    else settings::WriteFavorite(name, definition);
    return false;
}

}  // namespace zms
