#include "settings/profile_settings.h"

#include "platform/profile.h"
#include "settings/profile_store.h"

namespace zms::settings {
namespace {

constexpr char kConfig[] = "Config";
constexpr char kRadio[] = "radio";
constexpr char kCheck[] = "check";
constexpr char kHistory[] = "History";
constexpr char kFavorite[] = "Favorite";

bool Write(const ProfileStore& store, const char* section, const char* key, const char* value) {
    return store.WriteString(section, key, value) != 0;
}

// An option is on only when its whole value is exactly "1".
bool OptionOn(const ProfileStore& store, const char* section, const char* key) {
    return store.ReadText(section, key) == "1";
}

std::string HistoryKey(int n) { return "history" + std::to_string(n); }

// A name the file cannot hold as a key: an "=" would split it, a leading "["
// would start a section and a leading ";" a comment; white space at either end
// would be dropped (and could uncover one of those). Such a name is refused
// rather than let it overwrite another favourite.
bool StorableFavoriteName(const std::string& name) {
    return !name.empty() && name.find('=') == std::string::npos && name[0] != '[' &&
           name[0] != ';' && !platform::IsProfileBlank(name.front()) &&
           !platform::IsProfileBlank(name.back());
}

}  // namespace

Scope ReadScope(const ProfileStore& store) {
    const std::optional<std::string> radio = store.ReadText(kConfig, kRadio);
    if (!radio || radio->size() != 1 || (*radio)[0] < '1' || (*radio)[0] > '4') return Scope::kFolder;
    return kScopes[(*radio)[0] - '1'];
}

bool ReadSpecialFolders(const ProfileStore& store) { return store.ReadText(kConfig, kCheck) == "TRUE"; }

bool WriteDialogChoice(const ProfileStore& store, Scope scope, bool specialFolders) {
    const char radio[2] = {static_cast<char>('1' + ScopeIndex(scope)), '\0'};
    const bool radioWritten = Write(store, kConfig, kRadio, radio);
    return Write(store, kConfig, kCheck, specialFolders ? "TRUE" : "FALSE") && radioWritten;
}

bool CloseInputMethodOnOpen(const ProfileStore& store) { return OptionOn(store, "IME", "control"); }

bool FullwidthSpaceSeparates(const ProfileStore& store) {
    return OptionOn(store, "Option", "fullwidthspace_separator");
}

std::optional<std::string> ReadFavorite(const ProfileStore& store, const std::string& name) {
    return store.ReadText(kFavorite, name.c_str());
}

bool FavoriteStorable(const std::string& name, const char* definition) {
    return StorableFavoriteName(name) && ProfileStore::Storable(name.c_str(), definition);
}

bool WriteFavorite(const ProfileStore& store, const std::string& name, const std::string& definition) {
    return FavoriteStorable(name, definition.c_str()) &&
           Write(store, kFavorite, name.c_str(), definition.c_str());
}

bool RemoveFavorite(const ProfileStore& store, const std::string& name) {
    return FavoriteStorable(name, nullptr) && Write(store, kFavorite, name.c_str(), nullptr);
}

// In one read while the section is short enough (under wine a key read
// reads the whole file again: twenty of them over a 1 MB profile cost a
// confirmed search some 300 ms), else a key at a time.
std::vector<std::optional<std::string>> ReadHistoryKeys(const ProfileStore& store) {
    const auto section = store.ReadSection(kHistory);
    std::vector<std::optional<std::string>> keys;
    for (int n = 0; n < kHistoryKeys; ++n) {
        const std::string key = HistoryKey(n);
        keys.push_back(section ? ProfileStore::ValueIn(*section, key) : store.ReadText(kHistory, key.c_str()));
    }
    return keys;
}

std::vector<std::string> ReadHistory(const ProfileStore& store) {
    std::vector<std::string> entries;
    for (std::optional<std::string>& value : ReadHistoryKeys(store))
        if (value && !value->empty()) entries.push_back(std::move(*value));
    return entries;
}

// The keys above the ones written go, so that an entry pushed out or made a
// duplicate does not come back at the next start. The rest of the file,
// comments and other keys of the section included, stays as it is.
bool WriteHistory(const ProfileStore& store, const std::vector<std::string>& entries,
                  const std::vector<std::optional<std::string>>& stored) {
    std::vector<std::string> saved;
    for (const std::string& entry : entries) {
        // A query with a line break (a macro's text can carry a lone LF) or too
        // long for one line of the file stays in memory only, like a blank.
        const std::string key = HistoryKey(static_cast<int>(saved.size()));
        if (saved.size() < kHistoryKeys && ProfileStore::Storable(key.c_str(), entry.c_str()))
            saved.push_back(entry);
    }
    bool written = true;
    for (std::size_t n = 0; n < kHistoryKeys; ++n) {
        const std::string key = HistoryKey(static_cast<int>(n));
        const std::optional<std::string> now = n < stored.size() ? stored[n] : std::nullopt;
        if (n < saved.size()) {
            if (now != saved[n]) written = Write(store, kHistory, key.c_str(), saved[n].c_str()) && written;
        } else if (!now || !now->empty()) {
            written = Write(store, kHistory, key.c_str(), nullptr) && written;
        }
    }
    return written;
}

}  // namespace zms::settings
