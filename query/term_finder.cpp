#include "query/term_finder.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zms {

namespace {

enum class Next { kAny, kNotQuote, kNotSpace };

struct Literal {
    std::string text;
    Next next;
    std::size_t window;   // bytes an occurrence covers: the text and the next byte
    unsigned prependMask;  // bit q: the default prefix agrees with us at q
};

constexpr int kFlagRow = Row(FieldKind::kFlag);
constexpr int kQuotedBase = 0;              // one literal per field 0..10
constexpr int kPlainBase = kFlagRow;        // one literal per field 0..10
constexpr int kWildcard = 2 * kFlagRow;     // "attach:*"
constexpr int kLiteralCount = kWildcard + 1;

constexpr std::size_t kDefaultPrefixLength = kDefaultPrefix.size();
static_assert(kDefaultPrefixLength <= 32, "a bit per place of the default prefix");

const std::vector<Literal>& Literals() {
    static const std::vector<Literal> literals = [] {
        std::vector<Literal> out(kLiteralCount);
        for (int k = 0; k < kFlagRow; ++k) {
            out[kQuotedBase + k] = {std::string(kFields[k].prefix) + '"', Next::kNotQuote, 0, 0};
            out[kPlainBase + k] = {std::string(kFields[k].prefix), Next::kNotSpace, 0, 0};
        }
        out[kWildcard] = {std::string(kAttachWildcard), Next::kAny, 0, 0};
        for (Literal& l : out) {
            l.window = l.text.size() + (l.next == Next::kAny ? 0 : 1);
            for (std::size_t q = 0; q < kDefaultPrefixLength; ++q) {
                std::size_t n = std::min(l.text.size(), kDefaultPrefixLength - q);
                if (std::memcmp(kDefaultPrefix.data() + q, l.text.data(), n) == 0) l.prependMask |= 1u << q;
            }
        }
        return out;
    }();
    return literals;
}

}  // namespace

TermFinder::TermFinder(const std::string& query) : text_(query), marks_(kLiteralCount) {
    Literals();
}

bool TermFinder::OccursAt(int literal, std::size_t pos) const {
    const Literal& l = Literals()[literal];
    if (pos + l.window > text_.size()) return false;
    if (!text_.EqualsAt(pos, l.text.data(), l.text.size())) return false;
    unsigned char next = l.next == Next::kAny ? 0 : text_.at(pos + l.text.size());
    switch (l.next) {
        case Next::kNotQuote: return next != '"';
        case Next::kNotSpace: return next != ' ';
        default: return true;
    }
}

std::size_t TermFinder::Scan(int literal, std::size_t from) const {
    const unsigned char first = static_cast<unsigned char>(Literals()[literal].text[0]);
    for (std::size_t pos = text_.Find(first, from); pos != QueryText::npos;
         pos = text_.Find(first, pos + 1)) {
        if (OccursAt(literal, pos)) return pos;
        if (pos + Literals()[literal].window > text_.size()) break;
    }
    return QueryText::npos;
}

void TermFinder::Recheck(int literal, std::size_t lo, std::size_t hi) {
    Mark& m = marks_[literal];
    hi = std::min(hi, m.from);
    for (std::size_t q = lo; q < hi; ++q) {
        if (OccursAt(literal, q)) {
            m.from = q;
            return;
        }
    }
}

TermMatch TermFinder::FindWildcard() {
    Mark& m = marks_[kWildcard];
    std::size_t pos = Scan(kWildcard, m.from);
    if (pos == QueryText::npos) {
        m.from = text_.size();
        return {};
    }
    m.from = pos;
    return {pos, pos + Literals()[kWildcard].text.size()};
}

TermMatch TermFinder::FindQuoted(int kind) {
    const int literal = kQuotedBase + kind;
    Mark& m = marks_[literal];
    std::size_t pos = Scan(literal, m.from);
    if (pos == QueryText::npos) {
        m.from = text_.size();
        return {};
    }
    // The items cannot hold an unescaped quote, so the greedy reading ends at
    // the first one, and backing off never finds another.
    std::size_t k = pos + Literals()[literal].text.size();
    const std::size_t n = text_.size();
    while (k < n) {
        unsigned char c = text_.at(k);
        if (c == '"') {
            m.from = pos;
            return {pos, k + 1};
        }
        if (c == '\\') {
            if (k + 1 == n) break;
            k += 2;
        } else {
            ++k;
        }
    }
    // Unclosed. Every later prefix-and-quote would have closed it (its quote
    // follows a colon, so nothing escapes it): there is no later candidate.
    m.failed = pos;
    m.from = n;
    return {};
}

TermMatch TermFinder::FindPlain(int kind) {
    const int literal = kPlainBase + kind;
    Mark& m = marks_[literal];
    std::size_t pos = Scan(literal, m.from);
    m.from = pos == QueryText::npos ? text_.size() : pos;
    if (pos == QueryText::npos) return {};
    return {pos, pos};
}

void TermFinder::EraseFront(std::size_t count) {
    count = std::min(count, text_.size());
    text_.EraseFront(count);
    for (Mark& m : marks_) {
        m.from = m.from >= count ? m.from - count : 0;
        if (m.failed != QueryText::npos) m.failed = m.failed >= count ? m.failed - count : QueryText::npos;
    }
}

void TermFinder::EraseBack(std::size_t count) {
    count = std::min(count, text_.size());
    text_.EraseBack(count);
    const std::size_t n = text_.size();
    for (int i = 0; i < kLiteralCount; ++i) {
        Mark& m = marks_[i];
        m.from = std::min(m.from, n);
        // Less text behind an unclosed quote leaves it unclosed.
        if (m.failed != QueryText::npos && m.failed + Literals()[i].window > n)
            m.failed = QueryText::npos;
    }
}

void TermFinder::Erase(std::size_t pos, std::size_t count) {
    if (pos == 0) return EraseFront(count);
    if (pos >= text_.size()) return;
    count = std::min(count, text_.size() - pos);
    text_.Erase(pos, count);
    for (int i = 0; i < kLiteralCount; ++i) {
        Mark& m = marks_[i];
        m.from = m.from >= pos + count ? m.from - count : std::min(m.from, pos);
        if (m.failed != QueryText::npos) {
            if (m.failed >= pos + count) {
                m.failed -= count;
            } else {
                // The removal was inside its reading (it may close now) or took it.
                if (m.failed < pos) m.from = std::min(m.from, m.failed);
                m.failed = QueryText::npos;
            }
        }
        std::size_t window = Literals()[i].window;
        Recheck(i, pos >= window ? pos - window + 1 : 0, pos);
    }
}

void TermFinder::PrependDefaultPrefix() {
    text_.Prepend(kDefaultPrefix.data(), kDefaultPrefixLength);
    for (int i = 0; i < kLiteralCount; ++i) {
        Mark& m = marks_[i];
        m.from += kDefaultPrefixLength;
        if (m.failed != QueryText::npos) m.failed += kDefaultPrefixLength;
        // Only where the prefix's own bytes agree can a new occurrence start.
        for (unsigned mask = Literals()[i].prependMask; mask != 0; mask &= mask - 1) {
            std::size_t q = static_cast<std::size_t>(__builtin_ctz(mask));
            if (q >= m.from) break;
            if (OccursAt(i, q)) {
                m.from = q;
                break;
            }
        }
    }
}

}  // namespace zms
