// Every section and key of the profile file "ZentoroMailSearch.ini" that the
// plug-in reads or writes, and the typed calls the rest of the code uses
// instead of names. Nothing else names a section or a key.
//
// | section  | key                      | holds                                  | written by        | read by           |
// |----------|--------------------------|----------------------------------------|-------------------|-------------------|
// | Config   | radio                    | "1"-"4": the scope 1001-1004           | the dialog's OK   | start-up          |
// | Config   | check                    | "TRUE"/"FALSE": the check box          | the dialog's OK   | start-up          |
// | History  | history0 .. history19    | a query confirmed by OK, 0 the latest  | the dialog's OK   | start-up, the OK  |
// | Favorite | the favourite's name     | the query stored by "fav:name query"   | "fav:" (a store,  | "fav:name"        |
// |          |                          |                                        | "" removes)       |                   |
// | Option   | fullwidthspace_separator | "1": a fullwidth space separates terms | the user, by hand | each translation  |
// | IME      | control                  | "1": the dialog closes the IME         | the user, by hand | the dialog's open |
//
// Unrecognised or missing values read as the first choice (scope 1001, the
// check box and the options off). Every call goes to the file through the
// store it is given. A write call returns false when a write to the file
// failed (the platform's last error tells why).
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "settings/profile_store.h"
#include "settings/scope.h"

namespace zms::settings {

Scope ReadScope(const ProfileStore& store);
bool ReadSpecialFolders(const ProfileStore& store);
// The dialog's choice on OK: both keys of "Config".
bool WriteDialogChoice(const ProfileStore& store, Scope scope, bool specialFolders);

bool CloseInputMethodOnOpen(const ProfileStore& store);
bool FullwidthSpaceSeparates(const ProfileStore& store);

// The stored query; nothing when it cannot be read. A favourite the file
// cannot hold (FavoriteStorable) is refused: false.
std::optional<std::string> ReadFavorite(const ProfileStore& store, const std::string& name);
// Whether the file can hold it: a name that can be a key of the file, and a
// definition (null for a removal) that fits on one line with it.
bool FavoriteStorable(const std::string& name, const char* definition);
bool WriteFavorite(const ProfileStore& store, const std::string& name, const std::string& definition);
bool RemoveFavorite(const ProfileStore& store, const std::string& name);

// The history keys, in one read of the section while it is short enough
// (platform::kMaxSectionRead), else a key at a time: ReadHistoryKeys gives
// what history0 .. history19 hold now, "" for a missing key, nothing for one that cannot be
// read; ReadHistory the non-empty values in key order. WriteHistory stores
// `entries` (the non-blank ones among the list's first 20 positions) under
// history0, history1, ..., skipping one that cannot be a line of the file,
// and removes the keys above them up to history19; only keys whose value
// differs from `stored` (ReadHistoryKeys' answer) are written.
inline constexpr int kHistoryKeys = 20;
std::vector<std::optional<std::string>> ReadHistoryKeys(const ProfileStore& store);
std::vector<std::string> ReadHistory(const ProfileStore& store);
bool WriteHistory(const ProfileStore& store, const std::vector<std::string>& entries,
                  const std::vector<std::optional<std::string>>& stored);

}  // namespace zms::settings
