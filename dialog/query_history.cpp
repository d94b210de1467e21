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

void save() {
    if (!g_profileStore) return;
    const std::vector<std::string>& list = List();
    int counter = 0;
    for (std::size_t p = 0; p < list.size() && p < static_cast<std::size_t>(kSaved); ++p) {
        // A query with a line break (a macro's text can carry a lone LF) cannot
        // be one line of the file: it stays in memory only, like a blank.
        if (list[p].empty() || list[p].find_first_of("\r\n") != std::string::npos) continue;
        g_profileStore->WriteString(kSection, Key(counter).c_str(), list[p].c_str());
        ++counter;
    }
}

std::size_t size() { return List().size(); }
const std::string& at(std::size_t index) { return List().at(index); }
void clear() { List().clear(); }

}  // namespace zms::QueryHistory
