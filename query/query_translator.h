// Query language -> find pack, the search-condition string the host's grep reads.
#pragma once
#include <string>

namespace zms {

// Row of the field table; 0 is the default field.
using FieldKind = int;

// The leading and trailing separators go: ASCII spaces, and with the option
// "Option"/"fullwidthspace_separator" = "1" also fullwidth spaces (0x81 0x40).
void TrimQuery(std::string& query);

// The field of the query's leading prefix; 0 for none or a leading double quote.
FieldKind ClassifyField(const std::string& query);

// Consumes the one condition at the front of `query` (which begins with its
// kind's prefix): appends a term to `pack` or an item to `flags`, or, when no
// term of the field can be read, puts the default prefix in front of `query`.
void ConvertTerm(FieldKind kind, std::string& query, std::string& pack, std::string& flags);

// The find pack of `query` for the scope (1001..1004).
std::string TranslateQuery(const std::string& query, int scope);

}  // namespace zms
