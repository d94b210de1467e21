#include "dialog/query_history.h"

#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "dialog/test_hooks.h"
#include "settings/profile_settings.h"

namespace zms::QueryHistory {

namespace {

// The list; how many of its first positions were recorded in this process
// (the rest was loaded or taken in from the file); and every value it ever
// held, blanked or pushed out since included.
struct History {
    std::vector<std::string> list;
    std::size_t recorded = 0;
    std::unordered_set<std::string> known;
};

History& State() {
    static History history;
    return history;
}
std::vector<std::string>& List() { return State().list; }

// What the file holds that this process never saw (a load that could not read
// the file, another copy of the mail program writing since) joins the list
// after the queries recorded here, in the file's order: the save then keeps
// it, and the drop-down shows it from then on.
void TakeInUnseen(const std::vector<std::optional<std::string>>& stored) {
    History& h = State();
    std::vector<std::string> unseen;
    for (const std::optional<std::string>& value : stored)
        if (value && !value->empty() && h.known.insert(*value).second) unseen.push_back(*value);
    const std::size_t at = h.recorded < h.list.size() ? h.recorded : h.list.size();
    h.list.insert(h.list.begin() + static_cast<std::ptrdiff_t>(at), unseen.begin(), unseen.end());
}

}  // namespace

void Load() {
    for (std::string& entry : settings::ReadHistory()) {
        State().known.insert(entry);
        List().push_back(std::move(entry));
    }
}

void Record(const std::string& query) {
    std::vector<std::string>& list = List();
    State().known.insert(query);
    ++State().recorded;
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

bool Save() {
    const std::vector<std::optional<std::string>> stored = settings::ReadHistoryKeys();
    TakeInUnseen(stored);
    const std::vector<std::string>& list = List();
    std::vector<std::string> entries;
    for (std::size_t p = 0; p < list.size() && p < settings::kHistoryKeys; ++p)
        if (!list[p].empty()) entries.push_back(list[p]);
    return settings::WriteHistory(entries, stored);
}

std::size_t Size() { return List().size(); }
const std::string& At(std::size_t index) { return List().at(index); }

}  // namespace zms::QueryHistory

namespace zms::test_hooks {

void ClearHistory() { QueryHistory::State() = {}; }

}  // namespace zms::test_hooks
