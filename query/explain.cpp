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

bool HasFullwidthSpace(const std::string& value) {
    return value.find("\x81\x40") != std::string::npos;
}

// What in a step may surprise: at most one reason of its own form, then
// whether it was taken from later in the query, then a fullwidth space that
// the option would have made a separator.
std::vector<Hint> Hints(const TranslationStep& s) {
    using Kind = Hint::Kind;
    std::vector<Hint> hints;
    const bool plain = s.form == Form::kPlain;
    if (s.form == Form::kNoValue) {
        hints.push_back({Kind::kPrefixWithoutValue, std::string(FieldOf(s.kind).prefix)});
    } else if (s.form == Form::kWildcard) {
        hints.push_back({Kind::kAttachments, {}});
    } else if (s.form == Form::kFlag && s.value.empty()) {
        hints.push_back({Kind::kFlagWithoutValue, {}});
    } else if (plain && !s.value.empty() && s.value[0] == '"') {
        hints.push_back({Kind::kUnclosedQuote, {}});
    } else if (const Field* f =
                   plain && s.kind == kDefaultField ? MiscasedPrefix(s.value) : nullptr) {
        hints.push_back({Kind::kMiscasedPrefix, std::string(f->prefix)});
    } else if (plain && !s.value.empty() && s.value.back() == ' ') {
        hints.push_back({Kind::kFullwidthEndedValue, {}});
    }
    if (s.at > 0) hints.push_back({Kind::kTakenFromLater, {}});
    // With the option on, the first fullwidth space would have ended the value.
    if (plain && HasFullwidthSpace(s.value)) hints.push_back({Kind::kFullwidthInValue, {}});
    return hints;
}

}  // namespace

std::string HintText(const Hint& hint) {
    using Kind = Hint::Kind;
    switch (hint.kind) {
    case Kind::kPrefixWithoutValue:
        return "nothing follows \"" + hint.argument +
               "\": its text is searched as a word of the default field";
    case Kind::kAttachments: return "messages with attachments";
    case Kind::kFlagWithoutValue: return "flag: without a value";
    case Kind::kUnclosedQuote: return "no closing double quote: the quote is searched as text";
    case Kind::kMiscasedPrefix:
        return "not a field: prefixes are lower case, as in " + hint.argument;
    case Kind::kFullwidthEndedValue:
        return "a fullwidth space ended the value (one ASCII space stands for it)";
    case Kind::kTakenFromLater: return "taken first from later in the query";
    case Kind::kFullwidthInValue:
        return "the fullwidth space is part of the value "
               "(fullwidthspace_separator=1 ends it there)";
    }
    return "";
}

Explanation Explain(const std::string& query, bool subfolders, const QueryContext& context,
                    std::size_t maxPasses) {
    std::vector<TranslationStep> steps;
    Explanation e{TranslateQuery(query, subfolders, context, &steps, maxPasses), {}};
    for (const TranslationStep& s : steps) {
        ExplainedPass p{Target(s), s.form, kFormNames[int(s.form)], s.value, s.left, Hints(s), ""};
        for (const Hint& h : p.hints) p.hint += (p.hint.empty() ? "" : "; ") + HintText(h);
        e.passes.push_back(std::move(p));
    }
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
