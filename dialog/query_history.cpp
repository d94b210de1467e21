#include "dialog/query_history.h"

#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "settings/profile_store.h"

namespace zms::QueryHistory {

namespace {

constexpr int kSaved = 20;  // positions ever written, keys history0..history19
const char kSection[] = "History";

std::vector<std::string>& List() {
    static std::vector<std::string> list;
    return list;
}

std::string Key(int n) { return "history" + std::to_string(n); }

}  // namespace

// A key at a time: the section calls are documented for less than a long
// history can hold, and wine's drop the section's comments.
void load() {
    if (!g_profileStore) return;
    for (int n = 0; n < kSaved; ++n) {
        std::optional<std::string> value = g_profileStore->ReadText(kSection, Key(n).c_str());
        if (value && !value->empty()) List().push_back(std::move(*value));
    }
}

void record(const std::string& query) {
    std::vector<std::string>& list = List();
    list.insert(list.begin(), query);
    // Every value keeps only its front-most occurrence. One pass with a set of
    // what was seen gives the same result as comparing every pair.
    std::unordered_set<std::string> seen;
    seen.reserve(list.size());
    for (std::string& entry : list) {
        if (entry.empty()) continue;
        if (!seen.insert(entry).second) entry.clear();
    }
}

// The keys history0..history19 come to hold exactly the entries saved, from
// history0 up; the keys of that range above them go, so that an entry pushed
// out or made a duplicate does not come back at the next start. Only keys
// whose value changes are written: the rest of the file, comments and other
// keys of the section included, stays as it is.
void save() {
    if (!g_profileStore) return;
    const std::vector<std::string>& list = List();
    std::vector<std::string> saved;
    for (std::size_t p = 0; p < list.size() && p < static_cast<std::size_t>(kSaved); ++p) {
        // A query with a line break (a macro's text can carry a lone LF) or too
        // long for one line of the file stays in memory only, like a blank.
        const std::string key = Key(static_cast<int>(saved.size()));
        if (!list[p].empty() && ProfileStore::Storable(key.c_str(), list[p].c_str()))
            saved.push_back(list[p]);
    }
    // What the keys hold now: in one read while the section is short enough.
    const auto entries = g_profileStore->ReadSection(kSection);
    for (int n = 0; n < kSaved; ++n) {
        const std::string key = Key(n);
        const std::optional<std::string> stored =
            entries ? ProfileStore::ValueIn(*entries, key) : g_profileStore->ReadText(kSection, key.c_str());
        if (static_cast<std::size_t>(n) < saved.size()) {
            if (stored != saved[n]) g_profileStore->WriteString(kSection, key.c_str(), saved[n].c_str());
        } else if (!stored || !stored->empty()) {
            g_profileStore->WriteString(kSection, key.c_str(), nullptr);
        }
    }
}

std::size_t size() { return List().size(); }
const std::string& at(std::size_t index) { return List().at(index); }
void clear() { List().clear(); }

}  // namespace zms::QueryHistory
