// Query language -> find pack, the search-condition string the host's grep reads.
#pragma once
#include <string>
#include <vector>

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

// One pass of the translation, for a person who wants to see why a query
// became what it did (zms-translate --explain).
struct TranslationStep {
    enum class Form {
        kPlain,     // a value up to the next space (a fullwidth one with the option)
        kQuoted,    // a value between double quotes: a regular expression
        kWildcard,  // "attach:*": messages with attachments
        kFlag,      // "flag:" and its value
        kNoValue,   // the prefix had no value: its text is read again as plain text
    };
    FieldKind kind;
    Form form;
    std::string value;  // as typed (a plain value before the host's escaping)
    std::string left;   // the query still to be translated after this pass
};

// The find pack of `query` for the scope (1001..1004). With `steps`, every
// pass is recorded there too.
std::string TranslateQuery(const std::string& query, int scope,
                           std::vector<TranslationStep>* steps = nullptr);

}  // namespace zms
