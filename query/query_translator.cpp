// The query language, in the notation of its patterns (Perl syntax over bytes):
//
//   query     := sep* ( condition sep* )*
//   sep       := " " | "\x81\x40"   the fullwidth space only while the option
//                                   "Option"/"fullwidthspace_separator" is "1"
//   condition := read for the field of the query's leading prefix (ClassifyField;
//                "smallheaderbody:" goes in front of a query without one, or one
//                that begins with a double quote) by the first rule that applies:
//
//   Wildcard            "attach:*"                      attach: only
//   FlagCondition       "flag:" ([^ ]*)                  flag: only, at the front
//   QuotedValue         prefix (?<!\\)"(\\.|[^\\"])+"
//   PlainValue          prefix ([^" ]{0,1}[^ ]+)         with the option, a fullwidth
//                       space ends the value, which ends in " " for it
//   PrefixWithoutValue  prefix                           "smallheaderbody:" goes in
//                       front, and the prefix is read again as a plain value
//
//   prefix    := the field's prefix, literally (field_table.h)
//
// Wildcard, QuotedValue and PlainValue are searched for in the whole query, and
// the leftmost match is taken wherever it stands: a later wildcard before the
// "attach:" term at the front, a later quoted term of the field before a plain
// one at the front, and for a prefix without a value a later one with a value,
// even inside another term ("to: from+to:x" reads "x" for to: and leaves "to: from+").
//
//   pack      := ( term ( "and" term )* )? ( ","? "flag=" item ( "&" item )* )?
//                ",subfolder=" ( "1" | "0" ) ",hilight=1"        1 covering subfolders
//   term      := "(" ( "\"" plain value, escaped "\"" | quoted value ",regular" )
//                ",target=" ( target name | "\"X-Attach\"" for attach: ) ")"
//   item      := "attach" for a Wildcard | the value of a FlagCondition
#include "query/query_translator.h"

#include <algorithm>
#include <optional>

#include "query/field_table.h"
#include "query/term_finder.h"

namespace zms {

namespace {

using Form = TranslationStep::Form;
constexpr std::size_t npos = QueryText::npos;

static_assert(kDefaultPrefix.size() <= QueryText::kHeadroom,
              "the default prefix goes in front of a query without moving it");

// The option for one call: asked the first time a fullwidth space stands where
// it decides, then kept. A query without one never asks.
struct FullwidthOption {
    const QueryContext& context;
    std::optional<bool> on;
    bool On() {
        if (!on) on = context.fullwidthOption && context.fullwidthOption();
        return *on;
    }
};

bool FullwidthAt(const QueryText& q, std::size_t i) {
    return i + 1 < q.size() && q.at(i) == 0x81 && q.at(i + 1) == 0x40;
}

// sep* at the front.
std::size_t LeadingSeparators(const QueryText& q, FullwidthOption& option) {
    for (std::size_t i = 0;;) {
        if (i < q.size() && q.at(i) == ' ') ++i;
        else if (FullwidthAt(q, i) && option.On()) i += 2;
        else return i;
    }
}

// sep* at the back, read backwards: a 0x40 is a separator only after 0x81.
std::size_t TrailingSeparators(const QueryText& q, FullwidthOption& option) {
    for (std::size_t end = q.size();;) {
        if (end > 0 && q.at(end - 1) == ' ') --end;
        else if (end >= 2 && FullwidthAt(q, end - 2) && option.On()) end -= 2;
        else return q.size() - end;
    }
}

FieldKind Classify(const QueryText& q) {
    if (!q.empty() && q.at(0) == '"') return kDefaultField;
    for (const Field& f : kFields)
        if (q.StartsWith(f.prefix)) return f.kind;
    return kDefaultField;
}

std::size_t PrefixLength(FieldKind kind) { return FieldOf(kind).prefix.size(); }

// What the rules search for. flag: has no literals: its value is read at the front.
struct FieldLiterals {
    int quoted;  // the prefix and a double quote, not followed by another
    int plain;   // the prefix, followed by a byte that is no space
};
struct RuleLiterals {
    RuleLiterals() {
        for (const Field& f : kFields) {
            if (f.kind == FieldKind::kFlag) continue;
            const std::string prefix(f.prefix);
            of[Row(f.kind)] = {set.Add({prefix + '"', '"'}), set.Add({prefix, ' '})};
        }
        wildcard = set.Add({std::string(kAttachWildcard)});
    }
    LiteralSet set;
    FieldLiterals of[kFieldCount] = {};
    int wildcard;
};

const RuleLiterals& Literals() {
    static const RuleLiterals literals;
    return literals;
}

// Everything one call carries through its passes.
struct Translation {
    TermFinder finder;
    std::string& pack;
    std::string& flags;
    const QueryContext& context;
    FullwidthOption option{context, {}};
    TranslationStep* step = nullptr;  // where the pass is recorded, when someone asked

    void Record(Form form, std::string_view value, std::size_t at) {
        if (step) *step = {step->kind, form, std::string(value), {}, at};
    }
};

void Trim(Translation& t) {
    t.finder.Erase(0, LeadingSeparators(t.finder.text(), t.option));
    const std::size_t trailing = TrailingSeparators(t.finder.text(), t.option);
    t.finder.Erase(t.finder.text().size() - trailing, trailing);
}

void AddFlag(std::string& flags, std::string_view item) {
    flags += flags.empty() ? "flag=" : "&";
    flags += item;
}

// A term: "and" when one stands before it, `open`, the value, then `close`,
// ",target=", the target and ")".
void OpenTerm(std::string& pack, const char* open) {
    if (!pack.empty() && pack.back() == ')') pack += "and";
    pack += open;
}

void CloseTerm(std::string& pack, FieldKind kind, const char* close) {
    (pack += close) += ",target=";
    (pack += kind == FieldKind::kAttach ? kAttachTarget : FieldOf(kind).target) += ')';
}

// Wildcard: the leftmost "attach:*" becomes the flag item "attach".
bool Wildcard(Translation& t) {
    const std::size_t at = t.finder.Leftmost(Literals().wildcard);
    if (at == npos) return false;
    t.finder.Erase(at, kAttachWildcard.size());
    AddFlag(t.flags, "attach");
    t.Record(Form::kWildcard, kAttachWildcard, at);
    return true;
}

// FlagCondition: what follows "flag:" up to the next space, as typed and maybe
// empty, is a flag item; a fullwidth space does not end it.
void FlagCondition(Translation& t) {
    t.finder.Erase(0, PrefixLength(FieldKind::kFlag));
    const QueryText& q = t.finder.text();
    const std::string value = q.Substr(0, std::min(q.Find(' ', 0), q.size()));
    t.finder.Erase(0, value.size());
    AddFlag(t.flags, value);
    t.Record(Form::kFlag, value, 0);
}

// One past the quote that closes a quoted value whose items begin at `from`,
// or npos: the first double quote that no backslash takes as its escaped byte.
std::size_t ClosingQuote(const QueryText& q, std::size_t from) {
    for (std::size_t k = from, n = q.size(); k < n; ++k) {
        const unsigned char c = q.at(k);
        if (c == '"') return k + 1;
        if (c == '\\' && ++k == n) break;
    }
    return npos;
}

// QuotedValue: the leftmost prefix and opening quote whose items close. If they
// do not, no later opening closes either: its quote follows a colon, so nothing
// escapes it, and it would have closed this one. The finder keeps that opening
// while the text after it stands, so that it is read once.
bool QuotedValue(Translation& t, FieldKind kind) {
    const std::size_t at = t.finder.Leftmost(Literals().of[Row(kind)].quoted);
    const std::size_t value = at + PrefixLength(kind), items = value + 1;
    if (at == npos || items == t.finder.kept()) return false;
    const std::size_t end = ClosingQuote(t.finder.text(), items);
    if (end == npos) {
        t.finder.Keep(items);
        return false;
    }
    OpenTerm(t.pack, "(");
    t.finder.text().AppendTo(t.pack, value, end - value);  // with both quotes
    CloseTerm(t.pack, kind, ",regular");
    if (t.step) t.Record(Form::kQuoted, t.finder.text().Substr(value, end - value), at);
    t.finder.Erase(at, end - at);
    return true;
}

// Where a plain value that begins at `from` ends: at the next space, or with
// the option on at the first fullwidth space before it (`cut`).
std::size_t PlainEnd(const QueryText& q, std::size_t from, FullwidthOption& option, bool& cut) {
    std::size_t end = from;
    while (end < q.size() && q.at(end) != ' ' && !FullwidthAt(q, end)) ++end;
    const bool atFullwidth = end < q.size() && q.at(end) != ' ';
    cut = atFullwidth && option.On();
    return atFullwidth && !cut ? std::min(q.Find(' ', end), q.size()) : end;
}

// PlainValue: the leftmost prefix followed by a byte that is no space. What
// follows a fullwidth space that ends the value stays in the query.
bool PlainValue(Translation& t, FieldKind kind) {
    const std::size_t at = t.finder.Leftmost(Literals().of[Row(kind)].plain);
    if (at == npos) return false;
    const std::size_t from = at + PrefixLength(kind);
    bool cut = false;
    const std::size_t end = PlainEnd(t.finder.text(), from, t.option, cut);
    const std::string value = t.finder.text().Substr(from, end - from) + (cut ? " " : "");
    OpenTerm(t.pack, "(\"");
    t.pack += t.context.encode ? t.context.encode(value) : value;
    CloseTerm(t.pack, kind, "\"");
    t.finder.Erase(at, end + (cut ? 2 : 0) - at);
    t.Record(Form::kPlain, value, at);
    return true;
}

// PrefixWithoutValue: every occurrence of the prefix is followed by a space or
// ends the query.
void PrefixWithoutValue(Translation& t, FieldKind kind) {
    t.finder.Prepend(kDefaultPrefix);
    t.Record(Form::kNoValue, FieldOf(kind).prefix, 0);
}

void Condition(Translation& t, FieldKind kind) {
    if (kind == FieldKind::kAttach && Wildcard(t)) return;
    if (kind == FieldKind::kFlag) return FlagCondition(t);
    if (QuotedValue(t, kind) || PlainValue(t, kind)) return;
    PrefixWithoutValue(t, kind);
}

}  // namespace

void TrimQuery(std::string& query, const QueryContext& context) {
    QueryText q(query);
    FullwidthOption option{context, {}};
    q.EraseFront(LeadingSeparators(q, option));
    q.EraseBack(TrailingSeparators(q, option));
    query = q.Str();
}

FieldKind ClassifyField(const std::string& query) { return Classify(QueryText(query)); }

void ConvertTerm(FieldKind kind, std::string& query, std::string& pack, std::string& flags,
                 const QueryContext& context) {
    if (Row(kind) < 0 || Row(kind) >= kFieldCount) kind = kDefaultField;
    Translation t{TermFinder(query, Literals().set), pack, flags, context};
    Condition(t, kind);
    query = t.finder.text().Str();
}

std::string TranslateQuery(const std::string& query, bool subfolders, const QueryContext& context,
                           std::vector<TranslationStep>* steps, std::size_t maxSteps,
                           bool withLeft) {
    std::string pack, flags;
    pack.reserve(query.size() * 2 + 64);
    Translation t{TermFinder(query, Literals().set), pack, flags, context};
    for (Trim(t); !t.finder.text().empty();) {
        const FieldKind kind = Classify(t.finder.text());
        if (kind == kDefaultField && !t.finder.text().StartsWith(kDefaultPrefix))
            t.finder.Prepend(kDefaultPrefix);
        const bool record = steps && steps->size() < maxSteps;
        t.step = record ? &steps->emplace_back(TranslationStep{kind, {}, {}, {}, 0}) : nullptr;
        Condition(t, kind);
        Trim(t);
        if (t.step && withLeft) t.step->left = t.finder.text().Str();
    }
    if (!flags.empty()) pack += (pack.empty() ? "" : ",") + flags;
    pack += subfolders ? ",subfolder=1" : ",subfolder=0";
    pack += ",hilight=1";
    return pack;
}

}  // namespace zms
