#include "plugin/favorites.h"

#include <optional>
#include <utility>

#include "platform/profile.h"
#include "settings/profile_store.h"

namespace zms {

namespace {

constexpr char kSection[] = "Favorite";
constexpr std::size_t kPrefixLength = 4;  // "fav:"

// A name the profile file cannot hold as a key: an "=" would split it, a
// leading "[" would start a section and a leading ";" a comment; white space
// at either end would be dropped (and could uncover one of those). Such a
// name is refused rather than let it overwrite another favourite.
bool StorableName(const std::string& name) {
    return !name.empty() && name.find('=') == std::string::npos && name[0] != '[' &&
           name[0] != ';' && !platform::IsProfileBlank(name.front()) &&
           !platform::IsProfileBlank(name.back());
}

}  // namespace

bool RunFavorite(std::string& query) {
    std::size_t space = query.find(' ');
    if (space == std::string::npos) {
        std::string name = query.substr(kPrefixLength);
        if (!g_profileStore) return true;
        if (std::optional<std::string> value = g_profileStore->ReadText(kSection, name.c_str()))
            query = std::move(*value);
        return true;
    }
    if (space == kPrefixLength) return true;  // "fav: ..." is searched as it is
    std::string name = query.substr(kPrefixLength, space - kPrefixLength);
    std::string definition = query.substr(space + 1);
    if (g_profileStore && StorableName(name))
        g_profileStore->WriteString(kSection, name.c_str(), definition == "\"\"" ? nullptr : definition.c_str());
    return false;
}

}  // namespace zms
