// The recently confirmed queries behind the search dialog's drop-down list,
// entry 0 the most recent. A blank entry marks a removed duplicate; it keeps its
// place in memory and is never saved.
#pragma once
#include <cstddef>
#include <string>

namespace zms::QueryHistory {

// Fills the list from "History"/"history0".."history19", skipping missing and
// empty keys. Run once at start-up, after the profile store exists.
void Load();

// Puts `query` at the top and blanks every later copy of every entry.
void Record(const std::string& query);

// Writes the non-blank entries among the first 20 as "history0", "history1", ...
// and removes the keys above them up to "history19"; an entry that cannot be
// one line of the file (a line break, kMaxLineBytes) stays in memory only.
// Only what this process loaded or recorded is ever removed: a value the file
// holds that it never saw joins the list first, after the queries recorded
// here. False when a write failed.
bool Save();

std::size_t Size();
const std::string& At(std::size_t index);

}  // namespace zms::QueryHistory
