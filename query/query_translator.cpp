#include "query/query_translator.h"

#include <cstdlib>
#include <cstring>

#include "query/field_table.h"
#include "query/term_finder.h"

namespace zms {

namespace {

constexpr unsigned char kLead = 0x81, kTrail = 0x40;  // the fullwidth space

// The fullwidth-space option for one call: asked of the context the first time
// a fullwidth space stands where it decides, then kept for the rest of the
// call. A query without one never asks.
class FullwidthOption {
public:
    explicit FullwidthOption(const QueryContext& context) : context_(context) {}
    bool On() {
        if (!known_) {
            on_ = context_.fullwidthOption && context_.fullwidthOption();
            known_ = true;
        }
        return on_;
    }

private:
    const QueryContext& context_;
    bool known_ = false, on_ = false;
};

// Byte access to a std::string or a QueryText alike.
unsigned char ByteAt(const std::string& s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
unsigned char ByteAt(const QueryText& t, std::size_t i) { return t.at(i); }

template <class Text>
bool FullwidthAt(const Text& t, std::size_t i) {
    return i + 1 < t.size() && ByteAt(t, i) == kLead && ByteAt(t, i + 1) == kTrail;
}

// The leading separator run: spaces, and fullwidth spaces when the option is on.
template <class Text>
std::size_t LeadingRun(const Text& t, FullwidthOption& option) {
    std::size_t i = 0;
    while (i < t.size() && ByteAt(t, i) == ' ') ++i;
    if (!FullwidthAt(t, i) || !option.On()) return i;
    for (;;) {
        if (i < t.size() && ByteAt(t, i) == ' ') ++i;
        else if (FullwidthAt(t, i)) i += 2;
        else return i;
    }
}

// The trailing run, read backwards: a 0x40 is a separator only after 0x81.
template <class Text>
std::size_t TrailingRun(const Text& t, FullwidthOption& option) {
    std::size_t n = t.size(), r = 0;
    auto fullwidthBefore = [&](std::size_t end) { return end >= 2 && FullwidthAt(t, end - 2); };
    while (r < n && ByteAt(t, n - 1 - r) == ' ') ++r;
    if (!fullwidthBefore(n - r) || !option.On()) return r;
    for (;;) {
        if (r < n && ByteAt(t, n - 1 - r) == ' ') ++r;
        else if (fullwidthBefore(n - r)) r += 2;
        else return r;
    }
}

template <class Text>
bool StartsWith(const Text& t, std::string_view prefix) {
    std::size_t n = prefix.size();
    if (t.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (ByteAt(t, i) != static_cast<unsigned char>(prefix[i])) return false;
    return true;
}

template <class Text>
FieldKind Classify(const Text& t) {
    if (!t.empty() && ByteAt(t, 0) == '"') return kDefaultField;
    for (const Field& f : kFields)
        if (StartsWith(t, f.prefix)) return f.kind;
    return kDefaultField;
}

void Trim(TermFinder& finder, FullwidthOption& option) {
    finder.EraseFront(LeadingRun(finder.text(), option));
    finder.EraseBack(TrailingRun(finder.text(), option));
}

void AddFlag(std::string& flags, const std::string& item) {
    flags += flags.empty() ? "flag=" : "&";
    flags += item;
}

void BeginTerm(std::string& pack) {
    if (!pack.empty() && pack.back() == ')') pack += "and";
}

void EndTerm(std::string& pack, FieldKind kind) {
    if (kind == FieldKind::kAttach) {
        pack += ",target=";
        pack += kAttachTarget;
        pack += ")";
    } else {
        pack += ",target=";
        pack += FieldOf(kind).target;
        pack += ")";
    }
}

// "flag:" and the text up to the next space: a flag item, as typed.
using Form = TranslationStep::Form;

// What one pass did, when someone asked; nothing is copied otherwise.
void Record(TranslationStep* step, Form form, std::string value) {
    if (!step) return;
    step->form = form;
    step->value = std::move(value);
}

void ConvertFlag(TermFinder& finder, std::string& flags, TranslationStep* step) {
    const std::size_t prefix = FieldOf(FieldKind::kFlag).prefix.size();
    finder.EraseFront(prefix);
    std::size_t space = finder.text().Find(' ', 0);
    std::size_t length = space == QueryText::npos ? finder.text().size() : space;
    std::string value = finder.text().Substr(0, length);
    AddFlag(flags, value);
    finder.EraseFront(length);
    Record(step, Form::kFlag, std::move(value));
}

void ConvertQuoted(TermFinder& finder, FieldKind kind, TermMatch m, std::string& pack,
                   TranslationStep* step) {
    const std::size_t skip = FieldOf(kind).target.size() + 1;
    BeginTerm(pack);
    pack += "(";
    finder.text().AppendTo(pack, m.begin + skip, m.end - m.begin - skip);
    if (step) Record(step, Form::kQuoted, finder.text().Substr(m.begin + skip, m.end - m.begin - skip));
    pack += ",regular";
    EndTerm(pack, kind);
    finder.Erase(m.begin, m.end - m.begin);
}

// The value runs to the next space. With the option on, a fullwidth space in
// it ends it instead, becoming one ASCII space; what follows stays in the query.
// Everything one call of the translation carries through its passes.
struct Pass {
    TermFinder& finder;
    std::string& pack;
    std::string& flags;
    const QueryContext& context;
    FullwidthOption& option;
};

void ConvertPlain(Pass& p, FieldKind kind, TermMatch m, TranslationStep* step) {
    TermFinder& finder = p.finder;
    const QueryText& t = finder.text();
    const std::size_t skip = FieldOf(kind).prefix.size();
    const std::size_t start = m.begin + skip;
    std::size_t end = start;
    bool cut = false, asked = false;
    while (end < t.size() && t.at(end) != ' ') {
        if (!asked && FullwidthAt(t, end)) {
            asked = true;
            if (p.option.On()) {
                cut = true;
                break;
            }
        }
        ++end;
    }
    std::string value = t.Substr(start, end - start);
    if (cut) value += ' ';
    std::string& pack = p.pack;
    BeginTerm(pack);
    pack += "(\"";
    pack += p.context.encode ? p.context.encode(value) : value;
    Record(step, Form::kPlain, value);
    pack += "\"";
    EndTerm(pack, kind);
    finder.Erase(m.begin, end + (cut ? 2 : 0) - m.begin);
}

void Convert(FieldKind kind, Pass& p, TranslationStep* step = nullptr) {
    TermFinder& finder = p.finder;
    if (step) step->kind = kind;
    if (kind == FieldKind::kAttach) {
        TermMatch w = finder.FindWildcard();
        if (w.found()) {
            finder.Erase(w.begin, w.end - w.begin);
            AddFlag(p.flags, "attach");
            return Record(step, Form::kWildcard, std::string(kAttachWildcard));
        }
    }
    if (kind == FieldKind::kFlag) return ConvertFlag(finder, p.flags, step);
    if (TermMatch q = finder.FindQuoted(Row(kind)); q.found()) return ConvertQuoted(finder, kind, q, p.pack, step);
    if (TermMatch m = finder.FindPlain(Row(kind)); m.found()) return ConvertPlain(p, kind, m, step);
    // Every occurrence of the prefix is followed by a space or ends the query:
    // the text is read again as a term of the default field.
    finder.PrependDefaultPrefix();
    Record(step, Form::kNoValue, std::string(FieldOf(kind).prefix));
}

}  // namespace

void TrimQuery(std::string& query, const QueryContext& context) {
    FullwidthOption option(context);
    query.erase(0, LeadingRun(query, option));
    query.erase(query.size() - TrailingRun(query, option));
}

FieldKind ClassifyField(const std::string& query) { return Classify(query); }

void ConvertTerm(FieldKind kind, std::string& query, std::string& pack, std::string& flags,
                 const QueryContext& context) {
    if (Row(kind) < 0 || Row(kind) >= kFieldCount) kind = kDefaultField;
    TermFinder finder(query);
    FullwidthOption option(context);
    Pass p{finder, pack, flags, context, option};
    Convert(kind, p);
    query = finder.text().Str();
}

std::string TranslateQuery(const std::string& query, int scope, const QueryContext& context,
                           std::vector<TranslationStep>* steps) {
    std::string pack, flags;
    pack.reserve(query.size() * 2 + 64);
    TermFinder finder(query);
    FullwidthOption option(context);
    Pass p{finder, pack, flags, context, option};
    Trim(finder, option);
    while (!finder.text().empty()) {
        FieldKind kind = Classify(finder.text());
        if (kind == kDefaultField && !StartsWith(finder.text(), kDefaultPrefix))
            finder.PrependDefaultPrefix();
        TranslationStep* step = steps ? &steps->emplace_back() : nullptr;
        Convert(kind, p, step);
        Trim(finder, option);
        if (step) step->left = finder.text().Str();
    }
    if (!flags.empty()) {
        if (!pack.empty()) pack += ",";
        pack += flags;
    }
    pack += scope == 1002 ? ",subfolder=1" : ",subfolder=0";
    pack += ",hilight=1";
    return pack;
}

}  // namespace zms
