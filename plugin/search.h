// The `search` command: the dialog, then the find pack to the host.
#pragma once
#include <cstdint>
#include <string_view>

namespace zms {

// The command prefixes of the query line, after the trim: a favourite's
// name, the help (the whole query), a raw find pack.
inline constexpr std::string_view kFavoritePrefix = "fav:";
inline constexpr std::string_view kHelpCommand = "help:";
inline constexpr std::string_view kDebugPrefix = "debug:";

// `text` is the calling macro's argument. Returns 0 on every path.
int32_t Search(const char* text);

}  // namespace zms
