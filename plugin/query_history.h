// The recently confirmed queries behind the search dialog's drop-down list,
// entry 0 the most recent. A blank entry marks a removed duplicate; it keeps its
// place in memory and is never saved.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "settings/profile_store.h"

namespace zms {

class QueryHistory {
public:
    // Fills the list from "History"/"history0".."history19", skipping missing
    // and empty keys. Run once at start-up.
    void Load(const ProfileStore& store);

    // Puts `query` at the top and blanks every later copy of every entry.
    void Record(const std::string& query);

    // Writes the non-blank entries among the first 20 as "history0",
    // "history1", ... and removes the keys above them up to "history19"; an
    // entry that cannot be one line of the file (a line break, kMaxLineBytes)
    // stays in memory only. Only what this list loaded or recorded is ever
    // removed: a value the file holds that it never saw joins the list first,
    // after the queries recorded here. False when a write failed.
    bool Save(const ProfileStore& store);

    const std::vector<std::string>& Entries() const { return list_; }

private:
    void TakeInUnseen(const std::vector<std::optional<std::string>>& stored);

    std::vector<std::string> list_;
    // How many of the first positions were recorded here (the rest was loaded
    // or taken in from the file), and every value the list ever held, blanked
    // or pushed out since included.
    std::size_t recorded_ = 0;
    std::unordered_set<std::string> known_;
};

}  // namespace zms
