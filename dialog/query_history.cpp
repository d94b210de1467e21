#include "dialog/query_history.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "dialog/test_hooks.h"
#include "settings/profile_settings.h"

namespace zms::QueryHistory {

namespace {

std::vector<std::string>& List() {
    static std::vector<std::string> list;
    return list;
}

}  // namespace

void Load() {
    for (std::string& entry : settings::ReadHistory()) List().push_back(std::move(entry));
}

void Record(const std::string& query) {
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

void Save() {
    const std::vector<std::string>& list = List();
    std::vector<std::string> entries;
    for (std::size_t p = 0; p < list.size() && p < settings::kHistoryKeys; ++p)
        if (!list[p].empty()) entries.push_back(list[p]);
    settings::WriteHistory(entries);
}

std::size_t Size() { return List().size(); }
const std::string& At(std::size_t index) { return List().at(index); }

}  // namespace zms::QueryHistory

namespace zms::test_hooks {

void ClearHistory() { QueryHistory::List().clear(); }

}  // namespace zms::test_hooks
