#include "plugin/search_hint.h"

#include <optional>

#include "plugin/search.h"
#include "query/explain.h"
#include "settings/profile_settings.h"

namespace zms {

namespace {

std::string FavoriteHint(const std::string& query) {
    const std::size_t space = query.find(' ');
    const std::string name = query.substr(kFavoritePrefix.size(), space - kFavoritePrefix.size());
    // fav: の後が空白なので、fav: も検索語として検索します。
    if (space == kFavoritePrefix.size()) return "fav: \x82\xcc\x8c\xe3\x82\xaa\x8b\xf3\x94\x92\x82\xc8\x82\xcc\x82\xc5\x81" "Afav: \x82\xe0\x8c\x9f\x8d\xf5\x8c\xea\x82\xc6\x82\xb5\x82\xc4\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B";
    if (space == std::string::npos) {
        const std::optional<std::string> stored = settings::ReadFavorite(name);
        // お気に入り「NAME」は登録されていません。OK で、検索語のない条件で検索します。
        if (!stored || stored->empty()) return "\x82\xa8\x8b" "C\x82\xc9\x93\xfc\x82\xe8\x81u" + name + "\x81v\x82\xcd\x93o\x98^\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81" "BOK \x82\xc5\x81" "A\x8c\x9f\x8d\xf5\x8c\xea\x82\xcc\x82\xc8\x82\xa2\x8f\xf0\x8c\x8f\x82\xc5\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B";
        // OK で、お気に入り「NAME」の「DEFINITION」を検索します。
        return "OK \x82\xc5\x81" "A\x82\xa8\x8b" "C\x82\xc9\x93\xfc\x82\xe8\x81u" + name + "\x81v\x82\xcc\x81u" + *stored + "\x81v\x82\xf0\x8c\x9f\x8d\xf5\x82\xb5\x82\xdc\x82\xb7\x81" "B";
    }
    const std::string definition = query.substr(space + 1);
    // OK で、お気に入り「NAME」を削除します。検索はしません。
    if (definition == "\"\"") return "OK \x82\xc5\x81" "A\x82\xa8\x8b" "C\x82\xc9\x93\xfc\x82\xe8\x81u" + name + "\x81v\x82\xf0\x8d\xed\x8f\x9c\x82\xb5\x82\xdc\x82\xb7\x81" "B\x8c\x9f\x8d\xf5\x82\xcd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81" "B";
    // OK で、お気に入り「NAME」に「DEFINITION」を登録します。検索はしません。
    return "OK \x82\xc5\x81" "A\x82\xa8\x8b" "C\x82\xc9\x93\xfc\x82\xe8\x81u" + name + "\x81v\x82\xc9\x81u" + definition + "\x81v\x82\xf0\x93o\x98^\x82\xb5\x82\xdc\x82\xb7\x81" "B\x8c\x9f\x8d\xf5\x82\xcd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81" "B";
}

}  // namespace

std::string SearchHint(const std::string& line, const QueryContext& context) {
    // Of a pasted megabyte only the head is read: the hint speaks of the first
    // kHintBytes (past them, a run of blanks could only end the query).
    std::string query = line.substr(0, 2 * kHintBytes);
    TrimQuery(query, context);
    // 検索語を空白で区切って入力します（例: subject:会議 from:山田）。help: でヘルプを開きます。
    if (query.empty()) return "\x8c\x9f\x8d\xf5\x8c\xea\x82\xf0\x8b\xf3\x94\x92\x82\xc5\x8b\xe6\x90\xd8\x82\xc1\x82\xc4\x93\xfc\x97\xcd\x82\xb5\x82\xdc\x82\xb7\x81i\x97\xe1: subject:\x89\xef\x8b" "c from:\x8eR\x93" "c\x81j\x81" "Bhelp: \x82\xc5\x83w\x83\x8b\x83v\x82\xf0\x8aJ\x82\xab\x82\xdc\x82\xb7\x81" "B";
    if (query.compare(0, kFavoritePrefix.size(), kFavoritePrefix) == 0) return FavoriteHint(query);
    // OK で、このプラグインのヘルプを開きます。検索はしません。
    if (query == kHelpCommand) return "OK \x82\xc5\x81" "A\x82\xb1\x82\xcc\x83v\x83\x89\x83O\x83" "C\x83\x93\x82\xcc\x83w\x83\x8b\x83v\x82\xf0\x8aJ\x82\xab\x82\xdc\x82\xb7\x81" "B\x8c\x9f\x8d\xf5\x82\xcd\x82\xb5\x82\xdc\x82\xb9\x82\xf1\x81" "B";
    // OK で、debug: の後ろをそのまま検索条件としてゼントロメールに渡します。
    if (query.compare(0, kDebugPrefix.size(), kDebugPrefix) == 0) return "OK \x82\xc5\x81" "Adebug: \x82\xcc\x8c\xe3\x82\xeb\x82\xf0\x82\xbb\x82\xcc\x82\xdc\x82\xdc\x8c\x9f\x8d\xf5\x8f\xf0\x8c\x8f\x82\xc6\x82\xb5\x82\xc4\x83[\x83\x93\x83g\x83\x8d\x83\x81\x81[\x83\x8b\x82\xc9\x93n\x82\xb5\x82\xdc\x82\xb7\x81" "B";
    return QueryHint(query, context);
}

HintFn DialogHint() {
    QueryContext context;
    const bool fullwidth = settings::FullwidthSpaceSeparates();
    context.fullwidthOption = [fullwidth] { return fullwidth; };
    return [context](const std::string& line) { return SearchHint(line, context); };
}

}  // namespace zms
