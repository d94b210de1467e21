// The recently confirmed queries behind the search dialog's drop-down list,
// entry 0 the most recent. A blank entry marks a removed duplicate; it keeps its
// place in memory and is never saved.
#pragma once
#include <cstddef>
#include <string>

namespace zms::QueryHistory {

// Fills the list from "History"/"history0".."history19", skipping missing and
// empty keys. Run once at start-up, after the profile store exists.
void load();

// Puts `query` at the top and blanks every later copy of every entry.
void record(const std::string& query);

// Writes the non-blank entries among the first 20 as "history0", "history1", ...
// and removes the keys above them up to "history19"; an entry that cannot be
// one line of the file (a line break, kMaxLineBytes) stays in memory only.
void save();

std::size_t size();
const std::string& at(std::size_t index);

// Empties the list. For the tests: the library's unload does not call it
// (shut-down deletes only the profile store), and the list goes with the
// library's other process-wide objects.
void clear();

}  // namespace zms::QueryHistory
