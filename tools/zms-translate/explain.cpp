#include "tools/zms-translate/explain.h"

#include <cctype>

#include "query/field_table.h"

namespace zms {

namespace {

const char* FormName(TranslationStep::Form form) {
    switch (form) {
        case TranslationStep::Form::kPlain: return "plain";
        case TranslationStep::Form::kQuoted: return "quoted (regular expression)";
        case TranslationStep::Form::kWildcard: return "attachment wildcard";
        case TranslationStep::Form::kFlag: return "flag";
        case TranslationStep::Form::kNoValue: return "no value";
    }
    return "?";
}

// A field prefix written in another letter case, at the start of `value`.
const Field* MiscasedPrefix(const std::string& value) {
    for (const Field& f : kFields) {
        const std::string prefix(f.prefix);
        if (value.size() < prefix.size() || value.compare(0, prefix.size(), prefix) == 0) continue;
        bool same = true;
        for (std::size_t i = 0; i < prefix.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(value[i])) == prefix[i];
        if (same) return &f;
    }
    return nullptr;
}

// Why a step may surprise, or "".
std::string Hint(const TranslationStep& s) {
    using Form = TranslationStep::Form;
    if (s.form == Form::kNoValue)
        return "nothing follows \"" + std::string(FieldOf(s.kind).prefix) +
               "\": its text is searched as a word of the default field";
    if (s.form == Form::kWildcard) return "messages with attachments";
    if (s.form == Form::kFlag && s.value.empty()) return "flag: without a value";
    if (s.form != Form::kPlain) return "";
    if (!s.value.empty() && s.value[0] == '"')
        return "no closing double quote: the quote is searched as text";
    if (s.kind == kDefaultField) {
        if (const Field* f = MiscasedPrefix(s.value))
            return "not a field: prefixes are lower case, as in " + std::string(f->prefix);
    }
    if (!s.value.empty() && s.value.back() == ' ')
        return "a fullwidth space ended the value (one ASCII space stands for it)";
    return "";
}

}  // namespace

std::string ExplainSteps(const std::vector<TranslationStep>& steps) {
    std::string out;
    int n = 0;
    for (const TranslationStep& s : steps) {
        const std::string target =
            s.kind == FieldKind::kAttach && s.form != TranslationStep::Form::kWildcard
                ? "X-Attach"
                : std::string(FieldOf(s.kind).target);
        out += "  " + std::to_string(++n) + ". " + target + ", " + FormName(s.form) + ": [" + s.value +
               "] left [" + s.left + "]";
        const std::string hint = Hint(s);
        if (!hint.empty()) out += " -- " + hint;
        out += "\n";
    }
    return out;
}

}  // namespace zms
