#include "query/explain.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "query/field_table.h"

namespace zms {

namespace {

using Form = TranslationStep::Form;

// By TranslationStep::Form.
const char* const kFormNames[] = {"plain", "quoted (regular expression)", "attachment wildcard",
                                  "flag", "no value"};
static_assert(std::size(kFormNames) == static_cast<std::size_t>(Form::kNoValue) + 1);

std::string Target(const TranslationStep& s) {
    const bool attachment = s.kind == FieldKind::kAttach && s.form != Form::kWildcard;
    return attachment ? "X-Attach" : std::string(FieldOf(s.kind).target);
}

// A field prefix written in another letter case, at the start of `value`.
const Field* MiscasedPrefix(const std::string& value) {
    auto same = [](char p, char v) { return std::tolower(static_cast<unsigned char>(v)) == p; };
    for (const Field& f : kFields) {
        if (value.size() >= f.prefix.size() && value.compare(0, f.prefix.size(), f.prefix) != 0 &&
            std::equal(f.prefix.begin(), f.prefix.end(), value.begin(), same))
            return &f;
    }
    return nullptr;
}

// Why a step may surprise, or "".
std::string Hint(const TranslationStep& s) {
    if (s.form == Form::kNoValue)
        return "nothing follows \"" + std::string(FieldOf(s.kind).prefix) +
               "\": its text is searched as a word of the default field";
    if (s.form == Form::kWildcard) return "messages with attachments";
    if (s.form == Form::kFlag && s.value.empty()) return "flag: without a value";
    if (s.form != Form::kPlain) return "";
    if (!s.value.empty() && s.value[0] == '"')
        return "no closing double quote: the quote is searched as text";
    if (const Field* f = s.kind == kDefaultField ? MiscasedPrefix(s.value) : nullptr)
        return "not a field: prefixes are lower case, as in " + std::string(f->prefix);
    if (!s.value.empty() && s.value.back() == ' ')
        return "a fullwidth space ended the value (one ASCII space stands for it)";
    return "";
}

}  // namespace

Explanation Explain(const std::string& query, int scope, const QueryContext& context) {
    std::vector<TranslationStep> steps;
    Explanation e{TranslateQuery(query, scope, context, &steps), {}};
    for (const TranslationStep& s : steps)
        e.passes.push_back({Target(s), kFormNames[int(s.form)], s.value, s.left, Hint(s)});
    return e;
}

std::string ExplanationText(const Explanation& explanation) {
    std::string out = explanation.pack + "\n";
    int n = 0;
    for (const ExplainedPass& p : explanation.passes) {
        out += "  " + std::to_string(++n) + ". " + p.target + ", " + p.form + ": [" + p.value +
               "] left [" + p.left + "]" + (p.hint.empty() ? "" : " -- " + p.hint) + "\n";
    }
    return out;
}

}  // namespace zms
