#include "query/explain.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "query/field_table.h"
#include "text/cp932.h"

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

// In a value that begins with a double quote: the text after that quote up to
// and with the first double-byte character whose second byte, 0x5C, stands
// right before a double quote. The translation reads bytes, so to it that
// 0x5C is a backslash and the quote after it is escaped (as with 表, 予, ソ).
// Empty when there is none.
std::string TextUpToEscapingCharacter(const std::string& value) {
    for (std::size_t i = 1; i + 2 < value.size(); i += text::IsLeadByte(value[i]) ? 2 : 1) {
        if (text::IsLeadByte(value[i]) && value[i + 1] == '\\' && value[i + 2] == '"')
            return value.substr(1, i + 1);
    }
    return {};
}

// Whether value[at] begins the fullwidth form of `c` (a lower-case letter in
// either case, '+' or ':'), as an input method types it.
bool FullwidthFormAt(const std::string& value, std::size_t at, char c) {
    if (at + 1 >= value.size()) return false;
    const auto lead = static_cast<unsigned char>(value[at]);
    const auto trail = static_cast<unsigned char>(value[at + 1]);
    if (c >= 'a' && c <= 'z')
        return lead == 0x82 && (trail == 0x81 + (c - 'a') || trail == 0x60 + (c - 'a'));
    return lead == 0x81 && trail == (c == ':' ? 0x46 : c == '+' ? 0x7B : 0);
}

// A field prefix at the start of `value` with one of its characters or more
// typed fullwidth, the rest half-width, letters in either case:
// ｓｕｂｊｅｃｔ：, subject：, ｓｕｂｊｅｃｔ:
const Field* FullwidthPrefix(const std::string& value) {
    for (const Field& f : kFields) {
        std::size_t at = 0;
        bool wide = false;
        for (char c : f.prefix) {
            if (at < value.size() && std::tolower(static_cast<unsigned char>(value[at])) == c) {
                ++at;
            } else if (FullwidthFormAt(value, at, c)) {
                at += 2;
                wide = true;
            } else {
                at = std::string::npos;
                break;
            }
        }
        if (at != std::string::npos && wide) return &f;
    }
    return nullptr;
}

// A curly double quote or the fullwidth one (“ ” ＂) that begins or ends
// `value`; empty when neither end is one.
std::string TypographicQuote(const std::string& value) {
    auto quote = [](const std::string& c) {
        return c == "\x81\x67" || c == "\x81\x68" || c == "\xFA\x57" || c == "\xEE\xFC";
    };
    std::size_t last = 0;
    for (std::size_t i = 0; i < value.size(); i += text::IsLeadByte(value[i]) ? 2 : 1) last = i;
    for (const std::string& c : {value.substr(0, 2), value.substr(last)})
        if (quote(c)) return c;
    return {};
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
    } else if (plain && s.value.compare(0, 2, "\"\"") == 0) {
        hints.push_back({Kind::kEmptyQuotes, {}});
    } else if ((plain && !s.value.empty() && s.value[0] == '"') || s.form == Form::kQuoted) {
        // Unclosed, or closed by a later quote than the one typed to close it.
        std::string text = TextUpToEscapingCharacter(s.value);
        if (!text.empty())
            hints.push_back({Kind::kEscapedQuote, std::move(text)});
        else if (plain)
            hints.push_back({Kind::kUnclosedQuote, {}});
    } else if (const Field* f =
                   plain && s.kind == kDefaultField ? MiscasedPrefix(s.value) : nullptr) {
        hints.push_back({Kind::kMiscasedPrefix, std::string(f->prefix)});
    } else if (const Field* w =
                   plain && s.kind == kDefaultField ? FullwidthPrefix(s.value) : nullptr) {
        hints.push_back({Kind::kFullwidthPrefix, std::string(w->prefix)});
    } else if (std::string quote = plain ? TypographicQuote(s.value) : ""; !quote.empty()) {
        hints.push_back({Kind::kTypographicQuote, std::move(quote)});
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
    case Kind::kEscapedQuote: {
        const std::size_t n = hint.argument.size();
        const std::string c = hint.argument.substr(n < 2 ? 0 : n - 2);  // its last character
        return "the double quote after " + c + " does not close the value: the second byte of " +
               c + " is 0x5C, a backslash, which escapes the quote; leave the quotes out when "
               "no regular expression is needed, or end the pattern otherwise, as in \"" +
               hint.argument + ".*\"";
    }
    case Kind::kEmptyQuotes:
        return "nothing between the double quotes: \"\" is searched as text; put the pattern "
               "between them, or leave the term out";
    case Kind::kFullwidthPrefix:
        return "not a field: prefixes are typed half-width, letters and colon, as in " +
               hint.argument + " ([IME] control=1 closes the input method as the dialog opens)";
    case Kind::kTypographicQuote:
        return hint.argument + " is no double quote and is searched as text: a quoted value "
               "(a regular expression) goes between half-width double quotes \"...\"";
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
        out += "  " + std::to_string(++n) + ". " + p.target + ", " + p.formName + ": [" + p.value +
               "] left [" + p.left + "]" + (p.hint.empty() ? "" : " -- " + p.hint) + "\n";
    }
    return out;
}

}  // namespace zms
