// Query language -> find pack, the search-condition string the host's grep reads.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "query/field_table.h"

namespace zms {

// What a translation takes from outside the query language. The plug-in wires
// it to the profile file and the host's YenEncode; tools and tests bring their own.
struct QueryContext {
    // Whether "Option"/"fullwidthspace_separator" is on. Asked only where a
    // fullwidth space stands at a place the option decides, and at most once
    // in one call of TrimQuery, ConvertTerm or TranslateQuery: every call asks
    // anew, so an edit of the profile takes effect with the next query.
    // Empty: off.
    std::function<bool()> fullwidthOption;
    // The host's escaping of a plain value. Empty: the value goes as typed.
    std::function<std::string(const std::string&)> encode;
};

// The leading and trailing separators go: ASCII spaces, and with the
// fullwidth-space option on also fullwidth spaces (0x81 0x40).
void TrimQuery(std::string& query, const QueryContext& context);

// The field of the query's leading prefix; the default field for none or a
// leading double quote.
FieldKind ClassifyField(const std::string& query);

// Consumes the one condition at the front of `query` (which begins with its
// kind's prefix): appends a term to `pack` or an item to `flags`, or, when no
// term of the field can be read, puts the default prefix in front of `query`.
void ConvertTerm(FieldKind kind, std::string& query, std::string& pack, std::string& flags,
                 const QueryContext& context);

// One pass of the translation, for a person who wants to see why a query
// became what it did (explain.h).
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
    // Where the condition's text began in the query of the pass (the default
    // prefix put in front counted): past 0, it was taken from later in the query.
    std::size_t at = 0;
};

// The find pack of `query`, for a search that also looks in the folders below
// the current one or not. With `steps`, the passes are recorded there too, the
// first `maxSteps` of them (each holds what was left of the query: all of a
// long query's passes would be its square; without `withLeft`, left stays
// empty and all passes cost what the translation does).
std::string TranslateQuery(const std::string& query, bool subfolders, const QueryContext& context,
                           std::vector<TranslationStep>* steps = nullptr,
                           std::size_t maxSteps = SIZE_MAX, bool withLeft = true);

}  // namespace zms
