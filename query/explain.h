// Why a query became what it did, pass by pass: rows for a page to show, and
// the text zms-translate --explain prints.
#pragma once
#include <string>
#include <vector>

#include "query/query_translator.h"

namespace zms {

struct ExplainedPass {
    std::string target;  // the field's target name; "X-Attach" for an attachment term
    std::string form;    // "plain", "quoted (regular expression)", "flag", "no value"...
    std::string value;   // as typed
    std::string left;    // the query still to be translated after the pass
    std::string hint;    // why the pass may surprise, or ""
};

struct Explanation {
    std::string pack;  // as TranslateQuery gives it
    std::vector<ExplainedPass> passes;
};

Explanation Explain(const std::string& query, int scope, const QueryContext& context);

// The find pack, then per pass "  1. subject, plain: [abc] left [x]" with
// " -- " and the hint if there is one; each on a line.
std::string ExplanationText(const Explanation& explanation);

}  // namespace zms
