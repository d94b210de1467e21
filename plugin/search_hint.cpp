#include "plugin/search_hint.h"

#include <optional>

#include "plugin/favorites.h"
#include "plugin/japanese_texts.h"
#include "plugin/search.h"
#include "query/explain.h"
#include "settings/profile_settings.h"

namespace zms {

namespace {

// The texts, in code page 932 bytes, each under its text as it reads; a name
// and a definition go between the pieces of the favourites' ones.
// 検索語を空白で区切って入力します（例: subject:会議 from:山田）。help: でヘルプを開きます。
constexpr char kEmpty[] = "\x8c\x9f\x8d\xf5\x8c\xea\x82\xf0\x8b\xf3\x94\x92\x82\xc5\x8b\xe6\x90\xd8\x82\xc1\x82\xc4\x93\xfc\x97\xcd\x82\xb5\x82\xdc\x82\xb7\x81i\x97\xe1: subject:\x89\xef\x8b" "c from:\x8eR\x93" "c\x81j\x81" "Bhelp: \x82\xc5\x83w\x83\x8b\x83v\x82\xf0\x8aJ\x82\xab\x82\xdc\x82\xb7\x81" "B";
// fav: の後が空白なので、fav: も検索語として検索します。
constexpr char kFavoriteSearched[] = "fav: \x82\xcc\x8c\xe3\x82\xaa\x8b\xf3\x94\x92\x82\xc8\x82\xcc\x82\xc5\x81" "Afav: \x82\xe0\x8c\x9f\x8d\xf5\x8c\xea\x82\xc6\x82\xb5\x82\xc4\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B";
// OK で、このプラグインのヘルプを開きます。検索はしません。
constexpr char kHelp[] = "OK \x82\xc5\x81" "A\x82\xb1\x82\xcc\x83v\x83\x89\x83O\x83" "C\x83\x93\x82\xcc\x83w\x83\x8b\x83v\x82\xf0\x8aJ\x82\xab\x82\xdc\x82\xb7\x81" "B\x8c\x9f\x8d\xf5\x82\xcd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81" "B";
// OK で、debug: の後ろをそのまま検索条件としてゼントロメールに渡します。
constexpr char kDebug[] = "OK \x82\xc5\x81" "Adebug: \x82\xcc\x8c\xe3\x82\xeb\x82\xf0\x82\xbb\x82\xcc\x82\xdc\x82\xdc\x8c\x9f\x8d\xf5\x8f\xf0\x8c\x8f\x82\xc6\x82\xb5\x82\xc4\x83[\x83\x93\x83g\x83\x8d\x83\x81\x81[\x83\x8b\x82\xc9\x93n\x82\xb5\x82\xdc\x82\xb7\x81" "B";
// お気に入り「 / OK で、お気に入り「
constexpr char kFavorite[] = "\x82\xa8\x8b" "C\x82\xc9\x93\xfc\x82\xe8\x81u";
constexpr char kOkFavorite[] = "OK \x82\xc5\x81" "A\x82\xa8\x8b" "C\x82\xc9\x93\xfc\x82\xe8\x81u";
// 」は登録されていません。OK で、検索語のない条件で検索します。
constexpr char kNotStored[] = "\x81v\x82\xcd\x93o\x98^\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81" "BOK \x82\xc5\x81" "A\x8c\x9f\x8d\xf5\x8c\xea\x82\xcc\x82\xc8\x82\xa2\x8f\xf0\x8c\x8f\x82\xc5\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B";
// 」の「 / 」を検索します。
constexpr char kOf[] = "\x81v\x82\xcc\x81u";
constexpr char kRecalled[] = "\x81v\x82\xf0\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B";
// 」を削除します。検索はしません。
constexpr char kRemoved[] = "\x81v\x82\xf0\x8d\xed\x8f\x9c\x82\xb5\x82\xdc\x82\xb7\x81" "B\x8c\x9f\x8d\xf5\x82\xcd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81" "B";
// 」に「 / 」を登録します。検索はしません。
constexpr char kTo[] = "\x81v\x82\xc9\x81u";
constexpr char kStored[] = "\x81v\x82\xf0\x93o\x98^\x82\xb5\x82\xdc\x82\xb7\x81" "B\x8c\x9f\x8d\xf5\x82\xcd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81" "B";

std::string FavoriteHint(const std::string& query, const ProfileStore& store) {
    const FavoriteLine line = ReadFavoriteLine(query);
    switch (line.kind) {
    case FavoriteLine::kSearchAsText: return kFavoriteSearched;
    case FavoriteLine::kRecall: {
        const std::optional<std::string> stored = settings::ReadFavorite(store, line.name);
        if (!stored || stored->empty()) return kFavorite + line.name + kNotStored;
        return kOkFavorite + line.name + kOf + *stored + kRecalled;
    }
    case FavoriteLine::kRemove:
    case FavoriteLine::kStore: break;
    }
    const bool removal = line.kind == FavoriteLine::kRemove;
    if (!settings::FavoriteStorable(line.name, removal ? nullptr : line.definition.c_str()))
        return texts::kFavoriteRefused;
    if (removal) return kOkFavorite + line.name + kRemoved;
    return kOkFavorite + line.name + kTo + line.definition + kStored;
}

}  // namespace

std::string SearchHint(const std::string& line, const QueryContext& context, const ProfileStore& store) {
    // Of a pasted megabyte only the head is read: QueryHint speaks of its first
    // kHintBytes alone and says that the query is long.
    std::string query = line.substr(0, 2 * kHintBytes);
    TrimQuery(query, context);
    if (query.empty()) return kEmpty;
    switch (CommandOf(query)) {
    case Command::kFavorite: return FavoriteHint(query, store);
    case Command::kHelp: return kHelp;
    case Command::kDebug: return kDebug;
    case Command::kSearch: break;
    }
    return QueryHint(query, context);
}

dialog::HintFn DialogHint(const ProfileStore& store) {
    QueryContext context;
    const bool fullwidth = settings::FullwidthSpaceSeparates(store);
    context.fullwidthOption = [fullwidth] { return fullwidth; };
    return [context, &store](const std::string& line) { return SearchHint(line, context, store); };
}

}  // namespace zms
