// The generated queries on which the translator is compared with the
// word-for-word reading of the rules (query_reference.h): by the unit tests,
// and by the playground's test through query_oracle_dump.
#pragma once
#include <iterator>
#include <random>
#include <string>

#include "settings/scope.h"

namespace zms::testing {

// Pieces that meet in the interesting ways: prefixes, the wildcard, quotes,
// backslashes, both spaces and the halves of the fullwidth one, line breaks.
inline const char* const kQueryPieces[] = {
    "subject:", "from:", "from+to:", "to:", "attach:", "attach:*", "flag:", "smallheader:",
    "smallheaderbody:", "body:", "all:", "memo:", "header:", "Subject:", "\"", "\\", " ", " ",
    "\x81\x40", "\x81", "@", "a", "b", "x y", ":", "*", "\n", "\r", "+"};

inline std::string RandomQuery(std::mt19937& rng, int maxPieces) {
    std::string q;
    int n = static_cast<int>(rng() % (maxPieces + 1));
    for (int i = 0; i < n; ++i) q += kQueryPieces[rng() % std::size(kQueryPieces)];
    return q;
}

// 4000 queries with the option off, then 4000 with it on, each with a scope:
// f(query, scope, fullwidth).
template <typename F>
void ForEachGeneratedQuery(F f) {
    std::mt19937 rng(20261208);
    for (bool fullwidth : {false, true}) {
        for (int i = 0; i < 4000; ++i) {
            const std::string q = RandomQuery(rng, i % 2 ? 8 : 30);
            const Scope scope = kScopes[rng() % 4];
            f(q, scope, fullwidth);
        }
    }
}

}  // namespace zms::testing
