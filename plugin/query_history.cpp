#include "plugin/query_history.h"

#include <optional>
#include <string>
#include <utility>

#include "settings/profile_settings.h"

namespace zms {

// What the file holds that this list never saw (a load that could not read
// the file, another copy of the mail program writing since) joins it after
// the queries recorded here, in the file's order: the save then keeps it, and
// the drop-down shows it from then on.
void QueryHistory::TakeInUnseen(const std::vector<std::optional<std::string>>& stored) {
    std::vector<std::string> unseen;
    for (const std::optional<std::string>& value : stored)
        if (value && !value->empty() && known_.insert(*value).second) unseen.push_back(*value);
    const std::size_t at = recorded_ < list_.size() ? recorded_ : list_.size();
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(at), unseen.begin(), unseen.end());
}

void QueryHistory::Load(const ProfileStore& store) {
    for (std::string& entry : settings::ReadHistory(store)) {
        known_.insert(entry);
        list_.push_back(std::move(entry));
    }
}

void QueryHistory::Record(const std::string& query) {
    known_.insert(query);
    ++recorded_;
    list_.insert(list_.begin(), query);
    // Every value keeps only its front-most occurrence. One pass with a set of
    // what was seen gives the same result as comparing every pair.
    std::unordered_set<std::string> seen;
    seen.reserve(list_.size());
    for (std::string& entry : list_) {
        if (entry.empty()) continue;
        if (!seen.insert(entry).second) entry.clear();
    }
}

bool QueryHistory::Save(const ProfileStore& store) {
    const std::vector<std::optional<std::string>> stored = settings::ReadHistoryKeys(store);
    TakeInUnseen(stored);
    std::vector<std::string> entries;
    for (std::size_t p = 0; p < list_.size() && p < settings::kHistoryKeys; ++p)
        if (!list_[p].empty()) entries.push_back(list_[p]);
    return settings::WriteHistory(store, entries, stored);
}

}  // namespace zms
