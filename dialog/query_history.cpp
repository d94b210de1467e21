#include "dialog/query_history.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "settings/profile_settings.h"

namespace zms::QueryHistory {

namespace {

std::vector<std::string>& List() {
    static std::vector<std::string> list;
    return list;
}

}  // namespace

void load() {
    for (std::string& entry : settings::ReadHistory()) List().push_back(std::move(entry));
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

void save() {
    const std::vector<std::string>& list = List();
    std::vector<std::string> entries;
    for (std::size_t p = 0; p < list.size() && p < settings::kHistoryKeys; ++p)
        if (!list[p].empty()) entries.push_back(list[p]);
    settings::WriteHistory(entries);
}

std::size_t size() { return List().size(); }
const std::string& at(std::size_t index) { return List().at(index); }
void clear() { List().clear(); }

}  // namespace zms::QueryHistory
