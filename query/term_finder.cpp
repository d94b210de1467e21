#include "query/term_finder.h"

#include <algorithm>
#include <cassert>

namespace zms {

namespace {

constexpr std::size_t npos = QueryText::npos;

// The bytes an occurrence covers: the literal and the byte after it, if read.
std::size_t Width(const Literal& l) { return l.text.size() + (l.notFollowedBy < 0 ? 0 : 1); }

}  // namespace

int LiteralSet::Add(Literal literal) {
    assert(!literal.text.empty() && literals.size() < 32);
    byFirstByte[static_cast<unsigned char>(literal.text[0])] |= std::uint32_t{1} << literals.size();
    widest = std::max(widest, Width(literal));
    literals.push_back(std::move(literal));
    return static_cast<int>(literals.size() - 1);
}

TermFinder::TermFinder(const std::string& text, const LiteralSet& literals)
    : text_(text), set_(literals), marks_(literals.literals.size(), 0) {}

// The last byte first: a near miss is rejected at once.
bool TermFinder::OccursAt(int literal, std::size_t pos) const {
    const Literal& l = set_.literals[literal];
    const std::size_t end = pos + l.text.size();
    const unsigned char last = static_cast<unsigned char>(l.text.back());
    if (pos + Width(l) > text_.size() || text_.at(end - 1) != last) return false;
    return text_.EqualsAt(pos, l.text) && (l.notFollowedBy < 0 || text_.at(end) != l.notFollowedBy);
}

std::size_t TermFinder::Leftmost(int literal) {
    const Literal& l = set_.literals[literal];
    const unsigned char first = static_cast<unsigned char>(l.text[0]);
    std::size_t at = text_.Find(first, marks_[literal]);
    while (at != npos && !OccursAt(literal, at))
        at = at + Width(l) >= text_.size() ? npos : text_.Find(first, at + 1);
    marks_[literal] = at == npos ? text_.size() : at;
    return at;
}

void TermFinder::Recheck(std::size_t from, std::size_t to) {
    for (std::size_t q = from; q < to; ++q) {
        for (std::uint32_t ids = set_.byFirstByte[text_.at(q)]; ids != 0; ids &= ids - 1) {
            const int literal = __builtin_ctz(ids);
            if (q < marks_[literal] && OccursAt(literal, q)) marks_[literal] = q;
        }
    }
}

// Removing text joins what stood on either side: new occurrences begin less
// than an occurrence's width before the joint.
void TermFinder::Erase(std::size_t pos, std::size_t count) {
    if (pos >= text_.size() || count == 0) return;
    count = std::min(count, text_.size() - pos);
    text_.Erase(pos, count);
    for (std::size_t& m : marks_) m = m >= pos + count ? m - count : std::min(m, pos);
    kept_ = kept_ != npos && kept_ >= pos + count ? kept_ - count : npos;
    Recheck(pos - std::min(pos, set_.widest - 1), pos);
}

// New occurrences begin inside what was put in front.
void TermFinder::Prepend(std::string_view bytes) {
    text_.Prepend(bytes);
    for (std::size_t& m : marks_) m += bytes.size();
    if (kept_ != npos) kept_ += bytes.size();
    Recheck(0, bytes.size());
}

}  // namespace zms
