// The `search` command: the dialog, then the find pack to the host.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zms {

// The command prefixes of the query line, after the trim: a favourite's
// name, the help (the whole query), a raw find pack.
inline constexpr std::string_view kFavoritePrefix = "fav:";
inline constexpr std::string_view kHelpCommand = "help:";
inline constexpr std::string_view kDebugPrefix = "debug:";

// The branch a trimmed query takes: a favourite, the help, a raw find pack,
// or the translation.
enum class Command { kFavorite, kHelp, kDebug, kSearch };
inline Command CommandOf(const std::string& query) {
    const auto startsWith = [&](std::string_view p) { return query.compare(0, p.size(), p) == 0; };
    if (startsWith(kFavoritePrefix)) return Command::kFavorite;
    if (query == kHelpCommand) return Command::kHelp;
    if (startsWith(kDebugPrefix)) return Command::kDebug;
    return Command::kSearch;
}

struct PluginState;

// `text` is the calling macro's argument. Returns 0 on every path.
int32_t Search(PluginState& state, const char* text);

}  // namespace zms
