// A word-for-word reading of the translation rules with Boost.Regex, slow
// (it searches the whole query with a fresh pattern on every pass), kept as the
// oracle the fast translator is compared with.
#pragma once
#include <string>

#include "query/field_table.h"
#include "settings/scope.h"

namespace zms::reference {

// `fullwidth` stands for "Option"/"fullwidthspace_separator"; YenEncode is the
// identity. Throws what Boost.Regex throws when a pattern hits its limits.
std::string TranslateQuery(std::string query, Scope scope, bool fullwidth);
void ConvertTerm(FieldKind kind, std::string& query, std::string& pack, std::string& flags,
                 bool fullwidth);
void TrimQuery(std::string& query, bool fullwidth);

}  // namespace zms::reference
