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

// The section is read and written whole, in one profile call each: a key at
// a time would read (and in a write rewrite) the whole file once a key, and
// a long-used profile is large. Each key reads and writes as it would alone.
void load() {
    if (!g_profileStore) return;
    const std::vector<std::string> entries = g_profileStore->ReadSection(kSection);
    for (int n = 0; n < kSaved; ++n) {
        std::optional<std::string> value = ProfileStore::ValueIn(entries, Key(n));
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

// The first entry of `key` becomes `entry`, or `entry` is added at the end.
void Assign(std::vector<std::string>& entries, const std::string& key, std::string entry) {
    for (std::string& old : entries) {
        if (ProfileStore::IsEntryOf(old, key)) {
            old = std::move(entry);
            return;
        }
    }
    entries.push_back(std::move(entry));
}

// Keys numbered from the final counter on, and other keys of the section,
// keep what they hold.
void save() {
    if (!g_profileStore) return;
    const std::vector<std::string>& list = List();
    std::vector<std::string> entries = g_profileStore->ReadSection(kSection);
    int counter = 0;
    for (std::size_t p = 0; p < list.size() && p < static_cast<std::size_t>(kSaved); ++p) {
        // A query with a line break (a macro's text can carry a lone LF) cannot
        // be one line of the file: it stays in memory only, like a blank.
        if (list[p].empty() || list[p].find_first_of("\r\n") != std::string::npos) continue;
        Assign(entries, Key(counter), ProfileStore::EntryFor(Key(counter), list[p]));
        ++counter;
    }
    g_profileStore->WriteSection(kSection, entries);
}

std::size_t size() { return List().size(); }
const std::string& at(std::size_t index) { return List().at(index); }
void clear() { List().clear(); }

}  // namespace zms::QueryHistory
