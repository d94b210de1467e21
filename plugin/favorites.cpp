#include "plugin/favorites.h"

#include <cstdlib>

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
           name[0] != ';' && !StrippedByProfileRead(name.front()) &&
           !StrippedByProfileRead(name.back());
}

}  // namespace

bool RunFavorite(std::string& query) {
    std::size_t space = query.find(' ');
    if (space == std::string::npos) {
        std::string name = query.substr(kPrefixLength);
        char* value = g_profileStore ? g_profileStore->ReadString(kSection, name.c_str(), nullptr) : nullptr;
        if (value) {
            query = value;
            std::free(value);
        }
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
